// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "window/Colour.h"
#include "window/Geometry.h"

namespace wordrop::window {

enum class ControlKind : std::uint8_t { Label, TextBox, CommandButton, Shape, Line };

enum class Alignment : std::uint8_t { Left, Centre };

// The outline of a Shape control, by its number.
enum class ShapeStyle : std::uint8_t { Rectangle = 0, RoundedSquare = 5 };

enum class FontWeight : std::uint16_t { Normal = 400, Bold = 700 };

// A face as the layout names it; the view maps it onto a font the desktop has.
struct FontDesign {
    std::string_view face;
    double points = 0;
    FontWeight weight = FontWeight::Normal;
};

// One row of a form's layout: everything about a control that is fixed at design time,
// and the starting values of what the program may change later.
struct ControlDesign {
    ControlKind kind = ControlKind::Label;
    std::string_view name;
    int index = -1;  // member of a control array, or -1 for a single control
    Rect bounds;     // Left, Top, Width, Height; for a Line the box around its end points
    Segment ends;    // Line only: (X1, Y1)-(X2, Y2)
    bool visible = true;
    int captionPadding = 0;  // spaces that stand before the caption
    std::string_view caption;
    FontDesign font;
    Colour back = Colour::system(SystemColour::ButtonFace);
    Colour fore = Colour::system(SystemColour::ButtonText);
    Alignment alignment = Alignment::Left;
    ShapeStyle shape = ShapeStyle::Rectangle;
    int tabIndex = -1;  // -1 where the kind has none (shapes, lines)
};

// The state of one control while the program runs.
struct Control {
    const ControlDesign* design = nullptr;
    bool visible = false;
    std::string caption;  // Label and CommandButton
    std::string text;     // TextBox
    Colour back;
    Colour fore;

    ControlKind kind() const { return design->kind; }
    std::string_view name() const { return design->name; }
    int index() const { return design->index; }
    Rect bounds() const { return design->bounds; }
    // A text box or a command button: every toolkit has a widget of its own for it, which
    // takes its own clicks and the keyboard focus.
    bool isWidget() const {
        return kind() == ControlKind::TextBox || kind() == ControlKind::CommandButton;
    }
    // Whether a visible control of this kind takes the clicks that fall on it.
    bool takesClicks() const {
        return kind() == ControlKind::Label || kind() == ControlKind::TextBox ||
               kind() == ControlKind::CommandButton;
    }
};

std::string displayName(const Control& control);
const char* kindName(ControlKind kind);

}  // namespace wordrop::window
