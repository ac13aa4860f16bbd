// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "window/Form.h"

namespace wordrop::game {

using window::ControlArray;
using window::ControlRef;

// The groups the game works on as a whole, each visited in a fixed order.
enum class Group {
    Gallows,       // shp1 to shp9: gallows and rope
    Blanks,        // Line1 to Line11
    WrongLetters,  // lblWrong(0) to lblWrong(8)
    LetterLabels,  // lblP, lblR(0), lblR(1), lblO, lblG(0), lblG(1), lblA, lblM(0), lblM(1), lblI,
                   // lblN
    Closing,       // lblEnd, lblEnd2
    Prompts,       // lblwordrop, lblAre
};
inline constexpr std::size_t kGroupCount = 6;

// One letter of the word: the text that guesses it and the labels it reveals, in order.
struct LetterRow {
    std::string_view guess;
    std::vector<ControlRef> labels;
};

// Form1's controls, looked up once by name.
struct Form1Controls {
    explicit Form1Controls(window::Form& form);

    const std::vector<ControlRef>& group(Group g) const {
        return groups[static_cast<std::size_t>(g)];
    }

    ControlRef cmdOK, txtLetter;
    ControlRef lblWin, lblProgram, lblLoser, lblEnd, lblEnd2;
    ControlRef lblPick, lblAre, lblwordrop;
    ControlArray lblWrong;
    std::vector<LetterRow> letters;       // in the order a guess is tested
    std::vector<window::ControlId> word;  // the letter labels left to right
    std::array<std::vector<ControlRef>, kGroupCount> groups;
};

}  // namespace wordrop::game
