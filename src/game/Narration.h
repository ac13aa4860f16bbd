// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "game/Form1.h"
#include "window/Narrator.h"

namespace wordrop::game {

// What a sighted player can see of Form1, enough to tell what an input changed. Text drawn
// in the colour of its own background cannot be seen, and is not here either.
struct BoardLook {
    Screen screen = Screen::Start;
    std::string word;                // each letter of the word that shows, '_' for the others
    std::vector<std::string> wrong;  // the texts in the wrong-letter boxes that can be read
    int wrongGuesses = 0;
    int rightGuesses = 0;
    std::string typed;  // what the text box holds
    friend bool operator==(const BoardLook&, const BoardLook&) = default;
};

BoardLook look(const Form1& game);

// What changed between two looks, as a screen reader should say it.
std::string narrate(const BoardLook& before, const BoardLook& after);

class Form1Narrator : public window::Narrator {
  public:
    explicit Form1Narrator(const Form1& game) : game_(game), last_(look(game)) {}
    void typed() override { last_ = look(game_); }
    [[nodiscard]] std::string clicked() override;

  private:
    const Form1& game_;
    BoardLook last_;
};

}  // namespace wordrop::game
