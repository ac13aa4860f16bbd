// SPDX-License-Identifier: MIT
#include "game/Form1Controls.h"

#include <algorithm>
#include <initializer_list>

namespace wordrop::game {

namespace {

struct Member {
    std::string_view name;
    int index = -1;
};

using Members = std::initializer_list<Member>;

// The text that guesses each letter, and the labels it reveals. The rows are in the
// order in which a guess is tested.
struct LetterEntry {
    std::string_view guess;
    Members labels;
};

const std::initializer_list<LetterEntry> kLetters{
    {"p", {{"lblP"}}}, {"r", {{"lblR", 0}, {"lblR", 1}}},
    {"o", {{"lblO"}}}, {"g", {{"lblG", 0}, {"lblG", 1}}},
    {"a", {{"lblA"}}}, {"m", {{"lblM", 0}, {"lblM", 1}}},
    {"i", {{"lblI"}}}, {"n", {{"lblN"}}},
};

ControlRef resolve(window::Form& form, Member m) {
    return m.index < 0 ? form.control(m.name) : form.array(m.name)(m.index);
}

std::vector<ControlRef> resolveAll(window::Form& form, Members members) {
    std::vector<ControlRef> refs;
    for (const Member& m : members) refs.push_back(resolve(form, m));
    return refs;
}

std::vector<ControlRef> numbered(window::Form& form, std::string_view prefix, int count) {
    std::vector<ControlRef> refs;
    for (int n = 1; n <= count; ++n)
        refs.push_back(form.control(std::string(prefix) + std::to_string(n)));
    return refs;
}

std::vector<ControlRef> arrayMembers(const ControlArray& array) {
    std::vector<ControlRef> refs;
    for (std::size_t k = 0; k < array.size(); ++k) refs.push_back(array(static_cast<int>(k)));
    return refs;
}

}  // namespace

Form1Controls::Form1Controls(window::Form& form)
    : cmdOK(form.control("cmdOK")),
      txtLetter(form.control("txtLetter")),
      lblWin(form.control("lblWin")),
      lblProgram(form.control("lblProgram")),
      lblLoser(form.control("lblLoser")),
      lblEnd(form.control("lblEnd")),
      lblEnd2(form.control("lblEnd2")),
      lblPick(form.control("lblPick")),
      lblAre(form.control("lblAre")),
      lblwordrop(form.control("lblwordrop")),
      lblWrong(form.array("lblWrong")) {
    std::vector<ControlRef> letterLabels;
    for (const LetterEntry& entry : kLetters) {
        letters.push_back({entry.guess, resolveAll(form, entry.labels)});
        letterLabels.insert(letterLabels.end(), letters.back().labels.begin(),
                            letters.back().labels.end());
    }
    for (const ControlRef& label : letterLabels) word.push_back(label.id());
    std::sort(word.begin(), word.end(), [&form](window::ControlId a, window::ControlId b) {
        return form.state(a).bounds().left < form.state(b).bounds().left;
    });
    auto set = [this](Group g, std::vector<ControlRef> refs) {
        groups[static_cast<std::size_t>(g)] = std::move(refs);
    };
    set(Group::Gallows, numbered(form, "shp", 9));
    set(Group::Blanks, numbered(form, "Line", 11));
    set(Group::WrongLetters, arrayMembers(lblWrong));
    set(Group::LetterLabels, std::move(letterLabels));
    set(Group::Closing, {lblEnd, lblEnd2});
    set(Group::Prompts, {lblwordrop, lblAre});
}

}  // namespace wordrop::game
