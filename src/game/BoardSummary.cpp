#include "game/BoardSummary.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "game/Form1.h"

namespace wordrop::game {

namespace {

bool shows(const window::Form& form, std::string_view name) {
    return form.state(*form.find(name)).visible;
}

// The letter labels left to right, each its letter if shown and a blank if not.
std::string word(const window::Form& form) {
    std::vector<std::pair<int, char>> letters;
    for (const window::Control& c : form.controls()) {
        if (c.kind() == window::ControlKind::Label && c.spec->font.face == "Courier New") {
            letters.emplace_back(c.bounds().left, c.visible ? c.caption.front() : '_');
        }
    }
    std::sort(letters.begin(), letters.end());
    std::string text;
    for (const auto& [left, letter] : letters) {
        if (!text.empty()) text += ' ';
        text += letter;
    }
    return text;
}

// A wrong guess is listed as typed; a very long one is cut short here.
std::string shortened(const std::string& text) {
    constexpr std::size_t kLongest = 40;
    if (text.size() <= kLongest) return text;
    std::size_t end = kLongest;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end) + "...";
}

std::string wrongGuesses(const Form1& game) {
    const int count = game.WrongCount;
    std::string text = std::to_string(count) + (count == 1 ? " wrong guess" : " wrong guesses");
    for (int k = 0; k < count && k < kWrongToLose; ++k) {
        text += k == 0 ? ": " : ", ";
        text += shortened(game.form().state(*game.form().find("lblWrong", k)).caption);
    }
    return text;
}

}  // namespace

std::string summarize(const Form1& game) {
    const window::Form& form = game.form();
    if (shows(form, "lblEnd")) return "The game is over. Please exit and try again.";
    if (shows(form, "lblWin")) return "You win! The word was PROGRAMMING.";
    if (shows(form, "lblLoser")) return "You lose. " + wrongGuesses(game) + ".";
    if (!shows(form, "cmdOK")) return "Click the window to start a game.";
    return wrongGuesses(game) + ". Word: " + word(form);
}

}  // namespace wordrop::game
