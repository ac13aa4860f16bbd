// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "window/ControlId.h"
#include "window/KeyStroke.h"

namespace wordrop::window {

class Form;

// The keys of the window, in one table for every toolkit: what a key does where the
// keyboard focus is. Each stands for a click the player could make, or for the close box.

// Places of the focus, as a set of Focus values: anywhere, in the form or outside it; the
// form's own places; the window or a banner; there or outside the form, where no widget has
// it; a text box; a button.
enum class FocusSet : std::uint8_t {
    Anywhere = 1 | 2 | 4 | 8 | 16,
    InForm = 1 | 2 | 4 | 8,
    Window = 1 | 8,
    NoWidget = 1 | 8 | 16,
    TextBox = 2,
    Button = 4,
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
