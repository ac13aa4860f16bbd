// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace wordrop::window {
class Form;
}

namespace wordrop::game {

// The figure under the gallows, one piece per wrong guess: head, eyes, mouth, body,
// legs and arms, numbered 0 to 8. Draws the numbered piece in black on the form; any
// other number draws nothing.
void drawFigurePiece(window::Form& form, std::int16_t piece);

inline constexpr int kFigurePieces = 9;

}  // namespace wordrop::game
