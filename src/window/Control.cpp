// SPDX-License-Identifier: MIT
#include "window/Control.h"

#include <string>

namespace wordrop::window {

std::string displayName(const Control& control) {
    std::string name(control.name());
    if (control.index() >= 0) name += "(" + std::to_string(control.index()) + ")";
    return name;
}

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "Label";
        case ControlKind::TextBox:
            return "TextBox";
        case ControlKind::CommandButton:
            return "CommandButton";
        case ControlKind::Shape:
            return "Shape";
        case ControlKind::Line:
            return "Line";
    }
    return "Control";
}

}  // namespace wordrop::window
