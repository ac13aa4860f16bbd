// SPDX-License-Identifier: MIT
#include "window/Clicks.h"

#include <utility>

namespace wordrop::window {

std::optional<Point> ClickTracker::release(PointF where, double scale) {
    const auto pressed = std::exchange(pressed_, std::nullopt);
    const Point at = toTwips(where, scale);
    const Hit hit = form_.hitTest(at);
    if (!pressed || *pressed != hit || hit.kind == HitKind::Outside) return std::nullopt;
    if (hit.kind == HitKind::Control && form_.state(hit.control).isWidget()) return std::nullopt;
    return at;
}

}  // namespace wordrop::window
