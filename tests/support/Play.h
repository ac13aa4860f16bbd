// SPDX-License-Identifier: MIT
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "game/Form1.h"
#include "window/Form.h"

// Helpers that drive Form1 as a player would and read its controls back.
namespace wordrop::testing {

using game::Form1;
using window::Control;
using window::Form;

const Control& control(const Form& form, std::string_view name, int index = -1);
inline const Control& control(const Form1& game, std::string_view name, int index = -1) {
    return control(game.form(), name, index);
}
bool visible(const Form1& game, std::string_view name, int index = -1);

// Types into the text box as the player would: no operation of the game's.
void type(Form1& game, const std::string& text);
// Types the text and presses the button.
game::GuessOutcome guess(Form1& game, const std::string& text);
void guessAll(Form1& game, std::initializer_list<const char*> texts);

// Every guess of the whole word, one letter each.
inline constexpr std::initializer_list<const char*> kWholeWord{"p", "r", "o", "g",
                                                               "a", "m", "i", "n"};
inline constexpr std::initializer_list<const char*> kNineWrong{"b", "c", "d", "e", "f",
                                                               "h", "j", "k", "l"};

// Makes the next operation of the kind on the named control (no name: the form) fail.
void failNext(Form& form, window::OperationKind kind, std::string_view name = {}, int index = -1);

// The twip in the middle of a control.
window::Point centreOf(const Form& form, std::string_view name, int index = -1);

// All that a player could see change: every control's visibility, texts and colours,
// the window's colour and the drawing.
struct Snapshot {
    struct Entry {
        bool visible;
        std::string caption;
        std::string text;
        window::Colour back;
        window::Colour fore;
        friend bool operator==(const Entry&, const Entry&) = default;
    };
    std::vector<Entry> controls;
    window::Colour back;
    std::size_t primitives;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};
Snapshot snapshot(const Form& form);

}  // namespace wordrop::testing
