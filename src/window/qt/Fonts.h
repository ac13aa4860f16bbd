// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

#include "window/Control.h"

namespace wordrop::window::qt {

// A face as a label draws it: the font, and the height of one line of a caption.
struct LabelFont {
    QFont font;
    double lineHeight = 0;
    double ascent = 0;
};

// The font for a face the layout names: the face's free stand-in where the desktop lacks
// it, at its point size on a 96-dpi screen. Cheap: nothing is loaded until it is used.
QFont qtFont(const window::FontDesign& design);

// The same with the metrics a label lays its caption out by; this loads the font.
LabelFont labelFont(const window::FontDesign& design);

}  // namespace wordrop::window::qt
