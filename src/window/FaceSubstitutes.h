// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

#include "window/Control.h"

namespace wordrop::window {

// A free face drawn to the metrics of one the window was designed with, which most
// desktops and browsers lack.
struct FaceSubstitute {
    std::string_view face;
    std::string_view family;
    // The designed face's line height in ems, where the stand-in's differs enough to move
    // a caption's lines; 0 keeps the stand-in's own.
    double lineHeightEm = 0;
};

std::optional<FaceSubstitute> substituteFor(std::string_view face);

// A face's size in pixels on a 96-dpi screen, as every view draws it.
int pixelSize(const FontDesign& design);

}  // namespace wordrop::window
