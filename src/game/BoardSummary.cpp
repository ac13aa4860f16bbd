#include "game/BoardSummary.h"

#include "game/Form1.h"

namespace wordrop::game {

namespace {

bool shows(const window::Form& form, std::string_view name) {
    return form.state(*form.find(name)).visible;
}

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
    if (!shows(form, "cmdOK")) return "Click the window or press F2 to start a game.";
    return wrongGuesses(game) + ". Word: " + word(game);
}

}  // namespace wordrop::game
