// SPDX-License-Identifier: MIT
#include "window/Keys.h"

#include <algorithm>
#include <array>

#include "window/Scene.h"

namespace wordrop::window {

namespace {

using enum KeyAction;
constexpr Modifiers kNone = Modifiers::None;
constexpr Modifiers kCtrl = Modifiers::Ctrl;
constexpr Modifiers kAlt = Modifiers::Alt;

// Enter in the text box presses Ok! and goes no further, where it could press a banner the
// guess put up; on a button, Enter and Space press that button; elsewhere they press a
// banner. The new-game and close keys work wherever the focus is.
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

// The button whose caption marks the letter as its access key, shown or not.
std::optional<ControlId> buttonFor(const Form& form, char letter) {
    const auto controls = form.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (accessLetter(controls[i]) == letter) return ControlId(i);
    }
    return std::nullopt;
}

std::string nameOf(const KeyBinding& binding, char letter) {
    std::string name;
    if (std::uint8_t(binding.modifiers) & std::uint8_t(Modifiers::Ctrl)) name += "Ctrl+";
    if (std::uint8_t(binding.modifiers) & std::uint8_t(Modifiers::Alt)) name += "Alt+";
    switch (binding.name) {
        case KeyName::F2:
            return name + "F2";
        case KeyName::Enter:
            return name + "Enter";
        case KeyName::Space:
            return name + "Space";
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
    if (binding->action == PressAccessKey && !buttonFor(form, key.letter)) return Pass;
    return key.repeat ? Ignore : binding->action;
}

EventResult perform(Form& form, KeyAction action, std::optional<ControlId> target) {
    switch (action) {
        case NewGame:
            return form.pressKey(KeyClick::Background);
        case PressBanner:
            if (!target) return form.pressKey(KeyClick::Label);
            if (const auto at = form.reachablePoint({HitKind::Control, *target}))
                return form.clickAt(*at);
            break;
        case PressDefault:
            if (const auto button = form.defaultButton()) return form.click(*button);
            break;
        case PressFocused:
        case PressAccessKey:
            if (target) return form.click(*target);
            break;
        case Pass:
        case Ignore:
        case Close:
            break;
    }
    return {};
}

KeyOutcome pressKey(Form& form, const KeyStroke& key, Focus focus,
                    std::optional<ControlId> focused) {
    const KeyAction action = actionFor(form, key, focus);
    const auto target = action == PressAccessKey ? buttonFor(form, key.letter) : focused;
    return {action, perform(form, action, target)};
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

bool available(const Form& form, KeyAction action) {
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
