// SPDX-License-Identifier: MIT
#include "game/Narration.h"

#include <map>

#include "window/SceneBuilder.h"
#include "window/Utf8.h"

namespace wordrop::game {

namespace {

// A wrong guess is said as typed; a very long one is cut short.
std::string quoted(const std::string& text) {
    if (text.empty()) return "An empty guess";
    return "\"" + window::shortened(text, kLongestGuessTold) + "\"";
}

std::string guessesLeft(int wrongGuesses) {
    const int left = kWrongToLose - wrongGuesses;
    return std::to_string(left) + (left == 1 ? " wrong guess left." : " wrong guesses left.");
}

// "G appears at positions 4 and 11." for each letter that has come into view.
std::string revealed(const std::string& before, const std::string& after) {
    std::map<char, std::vector<std::size_t>> positions;
    for (std::size_t i = 0; i < after.size() && i < before.size(); ++i) {
        if (before[i] == '_' && after[i] != '_') positions[after[i]].push_back(i + 1);
    }
    std::string text;
    for (const auto& [letter, at] : positions) {
        if (!text.empty()) text += ' ';
        text += std::string(1, letter) +
                (at.size() == 1 ? " appears at position " : " appears at positions ");
        for (std::size_t k = 0; k < at.size(); ++k) {
            if (k > 0) text += k + 1 == at.size() ? " and " : ", ";
            text += std::to_string(at[k]);
        }
        text += '.';
    }
    return text;
}

std::string newScreen(const BoardLook& after) {
    switch (after.screen) {
        case Screen::Start:
            return {};
        case Screen::Playing:
            return "A new game: the word has " + std::to_string(after.word.size()) +
                   " letters. Pick a letter.";
        case Screen::Won:
            return "You win! The word was " + std::string(kWord) + ".";
        case Screen::Lost:
            return "You lose!";
        case Screen::Closed:
            return "Please exit and try again.";
    }
    return {};
}

}  // namespace

BoardLook look(const Form1& game) {
    const window::Form& form = game.form();
    BoardLook seen{.screen = game.screen(),
                   .wrongGuesses = game.wrongCount(),
                   .rightGuesses = game.rightCount(),
                   .typed = form.state(*form.find("txtLetter")).text};
    for (const window::ControlId id : game.wordLabels()) {
        seen.word += window::canBeRead(form, id) ? form.state(id).caption.front() : '_';
    }
    for (int k = 0; k < kWrongToLose; ++k) {
        const window::ControlId box = *form.find("lblWrong", k);
        seen.wrong.push_back(window::canBeRead(form, box) ? form.state(box).caption
                                                          : std::string());
    }
    return seen;
}

std::string narrate(const BoardLook& before, const BoardLook& after) {
    if (after.screen != before.screen) return newScreen(after);
    if (after.screen != Screen::Playing) return {};
    const bool restarted = (before.wrongGuesses > 0 && after.wrongGuesses == 0) ||
                           (before.rightGuesses > 0 && after.rightGuesses == 0);
    if (restarted) return newScreen(after);
    if (after.wrongGuesses == before.wrongGuesses + 1) {
        const std::size_t box = static_cast<std::size_t>(after.wrongGuesses - 1);
        const bool seen = box < after.wrong.size() && after.wrong[box] == before.typed;
        return (seen ? quoted(before.typed) + " is wrong. " : std::string("A wrong guess. ")) +
               guessesLeft(after.wrongGuesses);
    }
    if (const std::string shown = revealed(before.word, after.word); !shown.empty()) return shown;
    const bool pressed = !before.typed.empty() && after.typed.empty();
    return pressed ? "Nothing new appears." : std::string();
}

std::string Form1Narrator::clicked() {
    BoardLook now = look(game_);
    std::string told = narrate(last_, now);
    last_ = std::move(now);
    return told;
}

}  // namespace wordrop::game
