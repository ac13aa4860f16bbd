// SPDX-License-Identifier: MIT
#include "game/BoardSummary.h"

#include "game/Form1.h"
#include "window/Utf8.h"

namespace wordrop::game {

namespace {

// The word, each letter shown or a blank where it is not.
std::string word(const Form1& game) {
    std::string text;
    for (const window::ControlId id : game.wordLabels()) {
        const window::Control& label = game.form().state(id);
        if (!text.empty()) text += ' ';
        text += label.visible ? label.caption.front() : '_';
    }
    return text;
}

std::string wrongGuesses(const Form1& game) {
    const int count = game.wrongCount();
    std::string text = std::to_string(count) + (count == 1 ? " wrong guess" : " wrong guesses");
    for (int k = 0; k < count && k < kWrongToLose; ++k) {
        text += k == 0 ? ": " : ", ";
        // A wrong guess is listed as typed; a very long one is cut short here.
        text += window::shortened(game.form().state(*game.form().find("lblWrong", k)).caption,
                                  kLongestGuessTold);
    }
    return text;
}

}  // namespace

std::string summarize(const Form1& game) {
    switch (game.screen()) {
        case Screen::Start:
            return "Click the window or press F2 to start a game.";
        case Screen::Playing:
            return wrongGuesses(game) + ". Word: " + word(game);
        case Screen::Won:
            return "You win! The word was " + std::string(kWord) + ".";
        case Screen::Lost:
            return "You lose. " + wrongGuesses(game) + ".";
        case Screen::Closed:
            return "The game is over. Please exit and try again.";
    }
    return {};
}

}  // namespace wordrop::game
