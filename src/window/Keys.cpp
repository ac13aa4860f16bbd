// SPDX-License-Identifier: MIT
#include "window/Keys.h"

#include <algorithm>
#include <array>

#include "window/Form.h"
#include "window/Scene.h"

namespace wordrop::window {

namespace {

using enum KeyAction;
constexpr Modifiers kNone = Modifiers::None;
constexpr Modifiers kCtrl = Modifiers::Ctrl;
constexpr Modifiers kAlt = Modifiers::Alt;
constexpr Modifiers kShift = Modifiers::Shift;

// Enter in the text box presses Ok! and goes no further, where it could press a banner the
// guess put up; on a button, Enter and Space press that button; on the window or a banner
// they press a banner. The new-game, access and close keys work wherever the focus is, out
// of the form too. A letter typed where no widget has the focus goes into the text box, as
// a click into it and the letter would: out of the form as well, since the box is the only
// place a letter goes. Tab visits the widgets and a banner that answers clicks. Out of the
// form, Tab, Enter and Space are the page's: they move through it and press its own
// controls.
constexpr std::array kBindings{
    KeyBinding{KeyName::F2, 0, kNone, FocusSet::Anywhere, NewGame},
    KeyBinding{KeyName::Letter, 'N', kCtrl, FocusSet::Anywhere, NewGame},
    KeyBinding{KeyName::Enter, 0, kNone, FocusSet::TextBox, PressDefault},
    KeyBinding{KeyName::Letter, 0, kAlt, FocusSet::Anywhere, PressAccessKey},
    KeyBinding{KeyName::Enter, 0, kNone, FocusSet::Button, PressFocused},
    KeyBinding{KeyName::Space, 0, kNone, FocusSet::Button, PressFocused},
    KeyBinding{KeyName::Enter, 0, kNone, FocusSet::Window, PressBanner},
    KeyBinding{KeyName::Space, 0, kNone, FocusSet::Window, PressBanner},
    KeyBinding{KeyName::Letter, 'Q', kCtrl, FocusSet::Anywhere, Close},
    KeyBinding{KeyName::Letter, 'W', kCtrl, FocusSet::Anywhere, Close},
    KeyBinding{KeyName::Letter, 0, kNone, FocusSet::NoWidget, TypeIntoBox},
    KeyBinding{KeyName::Letter, 0, kShift, FocusSet::NoWidget, TypeIntoBox},
    KeyBinding{KeyName::Tab, 0, kNone, FocusSet::InForm, FocusNext},
    KeyBinding{KeyName::Tab, 0, kShift, FocusSet::InForm, FocusPrevious},
};

char upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool matches(const KeyBinding& binding, const KeyStroke& key, Focus focus) {
    return binding.name == key.name && (binding.letter == 0 || binding.letter == key.letter) &&
           binding.modifiers == key.modifiers &&
           (std::uint8_t(binding.where) & std::uint8_t(focus)) != 0;
}

std::optional<char> accessLetter(const Control& control) {
    if (control.kind() != ControlKind::CommandButton) return std::nullopt;
    const AccessKeyCaption caption = parseAccessKey(control.caption);
    if (!caption.key) return std::nullopt;
    return upper(caption.shown[*caption.key]);
}

std::string nameOf(const KeyBinding& binding, char letter) {
    std::string name;
    if (std::uint8_t(binding.modifiers) & std::uint8_t(Modifiers::Ctrl)) name += "Ctrl+";
    if (std::uint8_t(binding.modifiers) & std::uint8_t(Modifiers::Alt)) name += "Alt+";
    if (std::uint8_t(binding.modifiers) & std::uint8_t(Modifiers::Shift)) name += "Shift+";
    switch (binding.name) {
        case KeyName::F2:
            return name + "F2";
        case KeyName::Enter:
            return name + "Enter";
        case KeyName::Space:
            return name + "Space";
        case KeyName::Tab:
            return name + "Tab";
        case KeyName::Letter:
            return name + letter;
        case KeyName::Other:
            break;
    }
    return name;
}

}  // namespace

std::span<const KeyBinding> keyBindings() {
    return kBindings;
}

KeyAction actionFor(const Form& form, const KeyStroke& key, Focus focus) {
    if (key.composing) return Pass;
    const auto binding = std::find_if(kBindings.begin(), kBindings.end(),
                                      [&](const KeyBinding& b) { return matches(b, key, focus); });
    if (binding == kBindings.end()) return Pass;
    // Alt with a letter no button marks is the platform's, for its own menus and keys.
    if (binding->action == PressAccessKey && !accessKeyButton(form, key.letter)) return Pass;
    if (binding->action == TypeIntoBox && !shownTextBox(form)) return Pass;
    // Held, Tab goes on moving; every other key did all it does on its first press.
    const bool moves = binding->action == FocusNext || binding->action == FocusPrevious;
    return key.repeat && !moves ? Ignore : binding->action;
}

std::vector<std::string> keyNames(const Form& form, KeyAction action) {
    std::vector<std::string> names;
    const auto add = [&names](std::string name) {
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    };
    for (const KeyBinding& binding : kBindings) {
        if (binding.action != action) continue;
        if (binding.name != KeyName::Letter || binding.letter != 0) {
            add(nameOf(binding, binding.letter));
            continue;
        }
        for (const Control& control : form.controls()) {
            if (const auto letter = accessLetter(control)) add(nameOf(binding, *letter));
        }
    }
    return names;
}

std::string accessKeyName(char letter) {
    return nameOf(KeyBinding{KeyName::Letter, 0, kAlt, FocusSet::Anywhere, PressAccessKey},
                  upper(letter));
}

std::optional<ControlId> accessKeyButton(const Form& form, char letter) {
    const auto controls = form.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (accessLetter(controls[i]) == letter) return ControlId(i);
    }
    return std::nullopt;
}

std::optional<ControlId> shownTextBox(const Form& form) {
    const auto controls = form.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].kind() == ControlKind::TextBox && controls[i].visible) return ControlId(i);
    }
    return std::nullopt;
}

bool available(const Form& form, KeyAction action) {
    if (action == TypeIntoBox) return shownTextBox(form).has_value();
    if (action == NewGame) return form.reachablePoint({HitKind::Background, {}}).has_value();
    if (action != PressBanner) return false;
    const auto controls = form.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const auto id = ControlId(i);
        if (controls[i].kind() == ControlKind::Label && form.answersClicks(id) &&
            form.reachablePoint({HitKind::Control, id}))
            return true;
    }
    return false;
}

}  // namespace wordrop::window
