// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

#include <functional>
#include <vector>
#include "window/Control.h"

#include "window/DrawingSurface.h"
#include "window/LineBreaker.h"
#include "window/qt/Fonts.h"

class QPainter;

namespace wordrop::window::qt {

QColor toQColor(window::Colour colour);

// A label's caption laid out in its font, in logical pixels; the lines point into the
// caption, so they hold until the caption changes.
std::vector<window::LaidLine> layOutLabel(const window::Control& label, const LabelFont& font);

// Each paints one thing of the form in logical pixels.
// The font is asked for only when there is text to draw.
void paintLabel(QPainter& painter, const window::Control& label,
                const std::vector<window::LaidLine>& lines,
                const std::function<const LabelFont&()>& font);
void paintShape(QPainter& painter, const window::Control& shape);
void paintLineControl(QPainter& painter, const window::Control& line);
void paintDrawing(QPainter& painter, const window::DrawingSurface& drawing);

}  // namespace wordrop::window::qt
