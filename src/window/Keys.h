// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "window/Form.h"

namespace wordrop::window {

// The keys of the window, in one table for every toolkit: what a key does where the
// keyboard focus is. Each stands for a click the player could make, or for the close box.

enum class KeyName : std::uint8_t { Other, Letter, Enter, Space, F2 };

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
};

struct KeyStroke {
    KeyName name = KeyName::Other;
    char letter = 0;  // 'A' to 'Z' for a letter key
    Modifiers modifiers = Modifiers::None;
    bool repeat = false;     // sent again while the key is held
    bool composing = false;  // an input method is composing text
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

struct KeyOutcome {
    KeyAction action = KeyAction::Pass;
    EventResult result;
};

// Does what an action stands for: on a control where one is given (the focused button,
// a banner a screen reader presses), else where the screen allows. Closing the window is
// left to the view.
[[nodiscard]] EventResult perform(Form& form, KeyAction action,
                                  std::optional<ControlId> target = std::nullopt);

// Looks the key up and does it.
[[nodiscard]] KeyOutcome pressKey(Form& form, const KeyStroke& key, Focus focus,
                                  std::optional<ControlId> focused = std::nullopt);

// The keys of an action as people write them ("F2", "Ctrl+N", "Alt+O"), as the form's
// buttons' captions mark their access keys.
[[nodiscard]] std::vector<std::string> keyNames(const Form& form, KeyAction action);
[[nodiscard]] std::string accessKeyName(char letter);

// Whether the click a new game or a banner's press stands for can be made on the screen
// shown; false for every other action.
[[nodiscard]] bool available(const Form& form, KeyAction action);

}  // namespace wordrop::window
