// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "window/Colour.h"
#include "window/Geometry.h"

namespace wordrop::window {

// How later circles are filled: 0 solid in the fill colour, 1 transparent (outline only).
enum class FillMode : std::int16_t { Solid = 0, Transparent = 1 };

struct CircleShape {
    Point centre;
    int radius = 0;
    Colour colour = Black;
    FillMode fill = FillMode::Transparent;
    Colour fillColour = Black;
};

struct LineShape {
    Segment segment;
    Colour colour = Black;
};

using Primitive = std::variant<CircleShape, LineShape>;

// What has been drawn on the form with Circle and Line, oldest first, until erased.
struct DrawingSurface {
    std::vector<Primitive> primitives;
    Rect bounds;  // union of everything drawn, for repainting only that
};

Rect boundsOf(const Primitive& primitive);

}  // namespace wordrop::window
