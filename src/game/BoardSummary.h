// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace wordrop::game {

class Form1;

// The board in one short sentence, for a player who cannot see it: the wrong guesses so
// far and the word with its unguessed letters as blanks, or what the screen says.
std::string summarize(const Form1& game);

}  // namespace wordrop::game
