// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "window/ControlId.h"

namespace wordrop::window {

class Form;

// The keys of the window, in one table for every toolkit: what a key does where the
// keyboard focus is. Each stands for a click the player could make, or for the close box.

enum class KeyName : std::uint8_t { Other, Letter, Enter, Space, F2, Tab };

enum class Modifiers : std::uint8_t { None = 0, Shift = 1, Ctrl = 2, Alt = 4, Meta = 8 };

constexpr Modifiers operator|(Modifiers a, Modifiers b) {
    return Modifiers(std::uint8_t(a) | std::uint8_t(b));
}

// Where the keyboard focus is.
enum class Focus : std::uint8_t { Window = 1, TextBox = 2, Button = 4, Label = 8 };

// Places in the window, as a set of Focus values.
enum class FocusSet : std::uint8_t { Anywhere = 15, Window = 1 | 8, TextBox = 2, Button = 4 };

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

struct KeyBinding {
    KeyName name;
    char letter;  // for a letter key; 0 for every letter
    Modifiers modifiers;
    FocusSet where;
    KeyAction action;
};

std::span<const KeyBinding> keyBindings();

// What the key does with the focus where it is. Keys an input method is composing with
// are its own; a key held down does nothing more than its first press did.
[[nodiscard]] KeyAction actionFor(const Form& form, const KeyStroke& key, Focus focus);

// The keys of an action as people write them ("F2", "Ctrl+N", "Alt+O"), as the form's
// buttons' captions mark their access keys.
[[nodiscard]] std::vector<std::string> keyNames(const Form& form, KeyAction action);
[[nodiscard]] std::string accessKeyName(char letter);
// The button whose caption marks the letter as its access key, shown or not.
[[nodiscard]] std::optional<ControlId> accessKeyButton(const Form& form, char letter);
// The text box a letter typed with no widget focused goes into: the first one shown.
[[nodiscard]] std::optional<ControlId> shownTextBox(const Form& form);

// Whether the click a new game or a banner's press stands for can be made on the screen
// shown, or a letter can go into a text box; false for every other action.
[[nodiscard]] bool available(const Form& form, KeyAction action);

}  // namespace wordrop::window
