// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace wordrop::window {

// A key as every toolkit hands it over, and what the key table may make of it.

enum class KeyName : std::uint8_t { Other, Letter, Enter, Space, F2, Tab };

enum class Modifiers : std::uint8_t { None = 0, Shift = 1, Ctrl = 2, Alt = 4, Meta = 8 };

constexpr Modifiers operator|(Modifiers a, Modifiers b) {
    return Modifiers(std::uint8_t(a) | std::uint8_t(b));
}

// Where the keyboard focus is: on the window itself, on one of its controls, or outside the
// form altogether, on something of the page around it.
enum class Focus : std::uint8_t { Window = 1, TextBox = 2, Button = 4, Label = 8, Outside = 16 };

enum class KeyAction : std::uint8_t {
    Pass,            // not the window's: the focused widget or the platform has it
    Ignore,          // the window's, with nothing to do this time
    NewGame,         // the click on the background the screen allows, if any
    PressBanner,     // the click on a label that answers it, if one can be clicked
    PressDefault,    // the form's first command button, as Enter in a text box does
    PressFocused,    // the focused button
    PressAccessKey,  // the button whose caption marks the letter
    Close,           // the window's close box
    TypeIntoBox,     // a letter typed with no widget focused: into the text box shown
    FocusNext,       // the next control that takes the focus
    FocusPrevious,   // the one before
};

struct KeyStroke {
    KeyName name = KeyName::Other;
    char letter = 0;  // 'A' to 'Z' for a letter key
    Modifiers modifiers = Modifiers::None;
    bool repeat = false;     // sent again while the key is held, as the toolkit says
    bool composing = false;  // an input method is composing text
    std::uint64_t time = 0;  // when, in the toolkit's milliseconds; 0 where it has none
    std::string text;        // what the key types, as UTF-8
    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

}  // namespace wordrop::window
