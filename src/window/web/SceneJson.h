// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "window/Midend.h"
#include "window/Scene.h"

namespace wordrop::window::web {

// A face as CSS names it: `bold 16px "Liberation Serif", "Liberation Serif stand-in"`.
[[nodiscard]] std::string cssFont(const Font& font);

// The page's answer to an input, as one JSON object (view.js reads it):
//   scene      when anything changed: {title, size, items, widgets, reading}, in CSS pixels
//   summary    with the scene: the board in a sentence, for assistive technology
//   letters    with the scene: the letter pad's marks, a to z: '.' open, 'r' right, 'w' wrong
//   pick       with the scene: a letter can be picked from the pad now
//   start      with the scene: a click on the form's background can start a game
//   over       with the scene: nothing is left to do but close the window
//   narration  what a screen reader should say
//   error      the run-time error the input met
//   used       the input was the game's: keep it from the browser
//   close      the window is to close
//   focus      where the focus went, when it moved: a control's id, or "window"
// A text box's text is in the scene only where the game wrote it, so that what the player
// types is never sent back. The first answer (whole) has the scene and every box's text.
[[nodiscard]] std::string answerJson(Midend& midend, const Outcome& outcome, bool whole = false);

}  // namespace wordrop::window::web
