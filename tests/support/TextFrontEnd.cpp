// SPDX-License-Identifier: MIT
#include "TextFrontEnd.h"

#include <cctype>
#include <stdexcept>

#include "EvenFaces.h"
#include "Points.h"
#include "game/BoardSummary.h"
#include "window/Form.h"

namespace wordrop::testing {

using window::KeyMotion;
using window::KeyName;
using window::KeyStroke;
using window::Modifiers;

namespace {

const EvenFaces kEvenFaces;

KeyStroke strokeOf(std::string_view name) {
    KeyStroke key;
    const auto take = [&name](std::string_view prefix, Modifiers held, KeyStroke& k) {
        if (!name.starts_with(prefix)) return;
        k.modifiers = k.modifiers | held;
        name.remove_prefix(prefix.size());
    };
    take("Ctrl+", Modifiers::Ctrl, key);
    take("Alt+", Modifiers::Alt, key);
    take("Shift+", Modifiers::Shift, key);
    if (name == "F2") {
        key.name = KeyName::F2;
    } else if (name == "Enter") {
        key.name = KeyName::Enter;
    } else if (name == "Space") {
        key.name = KeyName::Space;
        key.text = " ";
    } else if (name == "Tab") {
        key.name = KeyName::Tab;
    } else if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0]))) {
        key.name = KeyName::Letter;
        key.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        if (key.modifiers == Modifiers::None || key.modifiers == Modifiers::Shift)
            key.text = std::string(name);
    } else {
        throw std::invalid_argument("no key " + std::string(name));
    }
    return key;
}

}  // namespace

TextFrontEnd::TextFrontEnd()
    : midend_(game_.form(), kEvenFaces, &narrator_, [this] { return game::summarize(game_); }) {
    midend_.markLetters([this](char letter) { return game::markOf(game_, letter); });
}

void TextFrontEnd::pick(char letter) {
    show(midend_.pickLetter(letter));
}

void TextFrontEnd::tap(window::Point at, bool keyboardUp) {
    show(midend_.tap({points::pixels(at.x), points::pixels(at.y)}, 1, keyboardUp));
}

std::string TextFrontEnd::padMarks() const {
    std::string out;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const window::LetterMark mark = midend_.letterMark(letter);
        if (mark == window::LetterMark::Open) continue;
        if (!out.empty()) out += ' ';
        out += mark == window::LetterMark::Right ? '+' : '-';
        out += static_cast<char>(letter - 'a' + 'A');
    }
    return out;
}

void TextFrontEnd::show(const window::Outcome& outcome) {
    if (!outcome.narration.empty()) told_.push_back(outcome.narration);
    if (!outcome.error.empty()) errors_.push_back(outcome.error);
    if (outcome.close) closed_ = true;
}

window::ControlId TextFrontEnd::id(std::string_view name) const {
    const auto found = game_.form().find(name);
    if (!found) throw std::invalid_argument("no control " + std::string(name));
    return *found;
}

void TextFrontEnd::click(window::Point at) {
    const window::PointF pixels{points::pixels(at.x), points::pixels(at.y)};
    show(midend_.pointer(window::PointerMotion::Press, pixels));
    show(midend_.pointer(window::PointerMotion::Release, pixels));
}

// The toolkit's widget takes a press the midend leaves it: it gets the focus, and its
// release clicks it.
void TextFrontEnd::clickWidget(std::string_view name) {
    const window::WidgetSlot slot = *slotOf(id(name));
    const window::PointF centre{slot.box.x + slot.box.width / 2, slot.box.y + slot.box.height / 2};
    const window::Outcome pressed = midend_.pointer(window::PointerMotion::Press, centre);
    show(pressed);
    if (!pressed.used) show(midend_.focusMoved(window::FocusPlace::on(id(name))));
    const window::Outcome released = midend_.pointer(window::PointerMotion::Release, centre);
    show(released);
    if (!released.used && slot.kind == window::ControlKind::CommandButton)
        show(midend_.activate(id(name)));
}

void TextFrontEnd::press(std::string_view keys, Repeats repeats) {
    while (!keys.empty()) {
        const auto end = keys.find(' ');
        const std::string_view key = keys.substr(0, end);
        if (!key.empty()) pressOne(key, repeats);
        keys = end == std::string_view::npos ? std::string_view() : keys.substr(end + 1);
    }
}

void TextFrontEnd::pressOne(std::string_view name, Repeats repeats) {
    int held = 0;
    if (const auto plus = name.find("+held"); plus != std::string_view::npos) {
        held = std::stoi(std::string(name.substr(plus + 5)));
        name = name.substr(0, plus);
    }
    KeyStroke key = strokeOf(name);
    const auto down = [&](bool marked) {
        key.time = clock_;
        key.repeat = marked;
        const window::Outcome outcome = midend_.key(key, KeyMotion::Press);
        show(outcome);
        // What the window leaves is the focused text box's to type.
        if (const auto box = focusedBox(); box && !outcome.used && !key.text.empty())
            show(midend_.type(box->control, box->text + key.text));
    };
    const auto up = [&](bool marked) {
        key.time = clock_;
        key.repeat = marked;
        show(midend_.key(key, KeyMotion::Release));
    };
    down(false);
    for (int k = 0; k < held; ++k) {
        clock_ += 40;
        if (repeats == Repeats::ReleaseAndPressAtOneTime) up(false);
        down(repeats == Repeats::Marked);
    }
    clock_ += 40;
    up(false);
    clock_ += 200;
}

void TextFrontEnd::type(std::string_view text) {
    const auto box = focusedBox();
    if (!box) throw std::logic_error("typing with no text box focused");
    show(midend_.type(box->control, box->text + std::string(text)));
}

void TextFrontEnd::focus(std::string_view name) {
    if (name == "none") return show(midend_.focusMoved(window::FocusPlace::window()));
    if (name == "outside") return show(midend_.focusMoved(window::FocusPlace::outside()));
    show(midend_.focusMoved(window::FocusPlace::on(id(name))));
}

const window::WidgetSlot* TextFrontEnd::slotOf(window::ControlId control) {
    for (const window::WidgetSlot& slot : midend_.scene(1).widgets) {
        if (slot.control == control) return &slot;
    }
    return nullptr;
}

std::optional<window::WidgetSlot> TextFrontEnd::focusedBox() {
    const auto focus = midend_.focus();
    const window::WidgetSlot* slot = focus ? slotOf(*focus) : nullptr;
    if (!slot || slot->kind != window::ControlKind::TextBox) return std::nullopt;
    return *slot;
}

std::string TextFrontEnd::focusName() const {
    switch (const window::FocusPlace place = midend_.focusPlace(); place.kind) {
        case window::FocusPlace::Kind::Control:
            return window::displayName(game_.form().state(place.control));
        case window::FocusPlace::Kind::Window:
            return "window";
        case window::FocusPlace::Kind::Outside:
            break;
    }
    return "outside";
}

std::string TextFrontEnd::print() {
    const window::Scene& scene = midend_.scene(1);
    std::string out = std::string(midend_.title()) + (closed_ ? " (closed)" : "") +
                      ", focus: " + focusName() + "\n";
    for (const window::Readable& item : scene.reading) {
        const window::WidgetSlot* slot = slotOf(item.control);
        switch (item.role) {
            case window::ReadRole::Text:
                out += "  " + item.text + "\n";
                break;
            case window::ReadRole::Pressable:
                out += "  [" + item.text + "]\n";
                break;
            case window::ReadRole::Widget:
                out += slot->kind == window::ControlKind::TextBox
                           ? "  " + item.text + ": <" + slot->text + ">\n"
                           : "  (" + item.text + ")\n";
                break;
        }
    }
    return out;
}

}  // namespace wordrop::testing
