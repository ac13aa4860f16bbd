// SPDX-License-Identifier: MIT
#include "game/BoardSummary.h"

#include "game/Form1.h"
#include "game/Narration.h"
#include "window/Keys.h"
#include "window/Utf8.h"

#include <string>
#include <vector>

namespace wordrop::game {

namespace {

// The word as a sighted player sees it: each letter that shows, a blank for the others.
std::string word(const BoardLook& seen) {
    std::string text;
    for (const char letter : seen.word) {
        if (!text.empty()) text += ' ';
        text += letter;
    }
    return text;
}

// Whether the box of a wrong guess shows it was empty: shown, in front, and blank.
bool showsEmptyGuess(const Form1& game, int k) {
    const window::Form& form = game.form();
    const window::ControlId box = *form.find("lblWrong", k);
    const window::Control& c = form.state(box);
    return c.visible && c.caption.empty() && !form.covered(box);
}

// ": a, b", or nothing for no items.
std::string listed(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? ": " : ", ") + item;
    return text;
}

// The count, and the wrong guesses that can be read, as typed (an empty one as such); a
// very long one is cut short here. Past the count, the boxes still show the game before's.
std::string wrongGuesses(const Form1& game, const BoardLook& seen) {
    const int count = seen.wrongGuesses;
    std::vector<std::string> thisGame;
    std::vector<std::string> before;
    for (int k = 0; k < kWrongToLose; ++k) {
        const std::string& shown = seen.wrong[static_cast<std::size_t>(k)];
        if (k < count && shown.empty() && showsEmptyGuess(game, k)) {
            thisGame.emplace_back("an empty guess");
        } else if (!shown.empty()) {
            (k < count ? thisGame : before).push_back(window::shortened(shown, kLongestGuessTold));
        }
    }
    std::string text = std::to_string(count) + (count == 1 ? " wrong guess" : " wrong guesses");
    text += listed(thisGame);
    if (!before.empty()) text += ". Still shown from the game before" + listed(before);
    return text;
}

}  // namespace

std::string summarize(const Form1& game) {
    const BoardLook seen = look(game);
    switch (seen.screen) {
        case Screen::Start:
            return "Click the window or press " +
                   window::keyNames(game.form(), window::KeyAction::NewGame).front() +
                   " to start a game.";
        case Screen::Playing:
            return wrongGuesses(game, seen) + ". Word: " + word(seen);
        case Screen::Won:
            return "You win! The word was " + std::string(kWord) + ".";
        case Screen::Lost:
            return "You lose. " + wrongGuesses(game, seen) + ".";
        case Screen::Closed:
            return "The game is over. Please exit and try again.";
    }
    return {};
}

window::LetterMark markOf(const Form1& game, char letter) {
    const std::string guess(1, letter);
    const BoardLook seen = look(game);
    const char capital = static_cast<char>(letter - 'a' + 'A');
    if (game.counted(guess) || seen.word.find(capital) != std::string::npos)
        return window::LetterMark::Right;
    // The wrong guesses of this game as the game recorded them, and any the board shows.
    const window::Form& form = game.form();
    for (int k = 0; k < kWrongToLose; ++k) {
        const bool thisGame = k < game.wrongCount();
        if ((thisGame && form.state(*form.find("lblWrong", k)).caption == guess) ||
            seen.wrong[static_cast<std::size_t>(k)] == guess)
            return window::LetterMark::Wrong;
    }
    return window::LetterMark::Open;
}

}  // namespace wordrop::game
