// SPDX-License-Identifier: MIT
#include "window/Colour.h"

namespace wordrop::window {

// The scheme the window was designed for; with it lblWrong(0)'s light grey matches the
// button face of the other eight boxes.
Rgb Colour::resolved() const {
    if (!isSystem_) return rgb_;
    switch (system_) {
        case SystemColour::WindowBackground:
            return {255, 255, 255};
        case SystemColour::WindowText:
        case SystemColour::ButtonText:
            return {0, 0, 0};
        case SystemColour::ButtonFace:
            return {192, 192, 192};
    }
    return {0, 0, 0};
}

}  // namespace wordrop::window
