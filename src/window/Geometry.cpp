// SPDX-License-Identifier: MIT
#include "window/Geometry.h"

#include <algorithm>
#include <cstdlib>

namespace wordrop::window {

// Geometry only: how wide the pen paints is the view's to add.
Rect boundsOf(Segment s) {
    const int left = std::min(s.from.x, s.to.x);
    const int top = std::min(s.from.y, s.to.y);
    return {left, top, std::abs(s.to.x - s.from.x) + 1, std::abs(s.to.y - s.from.y) + 1};
}

}  // namespace wordrop::window
