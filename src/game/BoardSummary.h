// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "window/Midend.h"

namespace wordrop::game {

class Form1;

// The board in one short sentence, for a player who cannot see it: the wrong guesses so
// far and the word with its unguessed letters as blanks, or what the screen says.
std::string summarize(const Form1& game);

// A letter ('a' to 'z') as picked so far: right where the current game counted it or the
// board shows it above its blanks, wrong where the current game listed it as a wrong guess
// or the board shows it listed, else not picked.
window::LetterMark markOf(const Form1& game, char letter);

}  // namespace wordrop::game
