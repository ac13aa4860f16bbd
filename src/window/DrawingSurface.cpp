// SPDX-License-Identifier: MIT
#include "window/DrawingSurface.h"

namespace wordrop::window {

Rect boundsOf(const Primitive& primitive) {
    if (const auto* c = std::get_if<CircleShape>(&primitive)) {
        const int r = c->radius;
        return {c->centre.x - r, c->centre.y - r, 2 * r + 1, 2 * r + 1};
    }
    return boundsOf(std::get<LineShape>(primitive).segment);
}

}  // namespace wordrop::window
