// SPDX-License-Identifier: MIT
#pragma once

#include "window/Scene.h"

namespace wordrop::testing {

// Every face 0.4 em wide a byte, so that a caption's lines can be worked out by hand, and a
// front end without a toolkit measures nothing.
class EvenFaces final : public window::FontMeasure {
  public:
    double advance(const window::Font& font, std::string_view utf8) const override {
        return 0.4 * font.pixelSize * static_cast<double>(utf8.size());
    }
    double ascent(const window::Font& font) const override { return 0.8 * font.pixelSize; }
    double lineHeight(const window::Font& font) const override { return 1.2 * font.pixelSize; }
};

}  // namespace wordrop::testing
