// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>
#include <vector>

#include "window/Keys.h"
#include "window/Scene.h"

namespace wordrop::window::web {

// The page's side of the game: its faces and its keys, as the midend takes them. What an
// input means is the midend's; the page script draws its answers (SceneJson.h).

// The text of the page's fonts: its widths and heights from the faces' own files, which no
// browser rounds its own way, and the page sets each character where they place it; only
// text the faces have no glyphs for is measured by the browser, on a canvas, and placed
// by it.
class BrowserMeasure final : public FontMeasure {
  public:
    double advance(const Font& font, std::string_view utf8) const override;
    double ascent(const Font& font) const override;
    double lineHeight(const Font& font) const override;
    std::vector<double> offsets(const Font& font, std::string_view utf8) const override;
};

// A key as a DOM keyboard event has it: key, code, modifiers (1 Shift, 2 Ctrl, 4 Alt,
// 8 Meta), its repeat flag and whether an input method is composing.
[[nodiscard]] KeyStroke domKeyStroke(std::string_view key, std::string_view code, int modifiers,
                                     bool repeat, bool composing);

}  // namespace wordrop::window::web
