// SPDX-License-Identifier: MIT
#include "Play.h"

#include <optional>
#include <stdexcept>

namespace wordrop::testing {

const Control& control(const Form& form, std::string_view name, int index) {
    const auto id = form.find(name, index);
    if (!id) throw std::logic_error("the form has no control " + std::string(name));
    return form.state(*id);
}

bool visible(const Form1& game, std::string_view name, int index) {
    return control(game, name, index).visible;
}

void type(Form1& game, const std::string& text) {
    game.form().typeInto(*game.form().find("txtLetter"), text);
}

game::GuessOutcome guess(Form1& game, const std::string& text) {
    type(game, text);
    return game.cmdOK_Click();
}

void guessAll(Form1& game, std::initializer_list<const char*> texts) {
    for (const char* text : texts) static_cast<void>(guess(game, text));
}

void failNext(Form& form, window::OperationKind kind, std::string_view name, int index) {
    std::optional<std::uint16_t> id;
    if (!name.empty()) {
        const auto found = form.find(name, index);
        if (!found) throw std::logic_error("the form has no control " + std::string(name));
        id = static_cast<std::uint16_t>(*found);
    }
    form.faults().failNext({kind, id});
}

window::Point centreOf(const Form& form, std::string_view name, int index) {
    const window::Rect r = control(form, name, index).bounds();
    return {r.left + r.width / 2, r.top + r.height / 2};
}

Snapshot snapshot(const Form& form) {
    Snapshot s{{}, form.backColour(), form.drawing().primitives.size()};
    for (const Control& c : form.controls()) {
        s.controls.push_back({c.visible, c.caption, c.text, c.back, c.fore});
    }
    return s;
}

}  // namespace wordrop::testing
