// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>
#include <vector>

#include "window/Control.h"

namespace wordrop::window {

// How wide text is in some font, in the units the label's box is given in.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual double advance(std::string_view utf8) const = 0;
    virtual double lineHeight() const = 0;
};

// One line of a label's caption as it is drawn: its text and its top left corner,
// relative to the label's top left corner.
struct LaidLine {
    std::string_view text;
    double x = 0;
    double y = 0;
    friend bool operator==(const LaidLine&, const LaidLine&) = default;
};

// Lays a caption out the way a label shows it: from the top edge down, broken at spaces
// wherever the text is wider than the label, aligned left or centred, and cut off at the
// bottom edge. Leading spaces are text like any other: they take their width and wrap.
// A line break in the caption starts a new line. Only what can be seen is measured, so a
// huge caption costs about what its visible lines cost.
std::vector<LaidLine> layOutCaption(std::string_view caption, double width, double height,
                                    Alignment alignment, const TextMeasure& measure);

}  // namespace wordrop::window
