// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

#include "window/Form.h"
#include "window/Scene.h"

namespace wordrop::window {

// A click is a press and a release on the same target. A press whose release never came
// (let go outside the window, or cancelled) is forgotten, and so is the press before the
// last one.
class ClickTracker {
  public:
    explicit ClickTracker(const Form& form) : form_(form) {}

    // Positions in pixels at the scale given.
    void press(PointF at, double scale = 1) { pressed_ = form_.hitTest(toTwips(at, scale)); }
    // Where to click, when the release ends a click the form handles itself; the
    // toolkit's own text boxes and buttons click themselves.
    [[nodiscard]] std::optional<Point> release(PointF at, double scale = 1);
    void forget() { pressed_.reset(); }

  private:
    const Form& form_;
    std::optional<Hit> pressed_;
};

}  // namespace wordrop::window
