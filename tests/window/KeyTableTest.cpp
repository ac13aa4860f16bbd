// SPDX-License-Identifier: MIT
// What the key table makes of a key where the focus is, whatever toolkit delivered it.
#include <gtest/gtest.h>

#include "Play.h"
#include "window/Keys.h"

namespace wordrop::testing {
namespace {

using window::Focus;
using window::KeyAction;
using window::KeyName;
using window::KeyStroke;
using window::Modifiers;

const KeyStroke kEnter{KeyName::Enter};
const KeyStroke kSpace{KeyName::Space};
KeyStroke letter(char c, Modifiers held = Modifiers::None) {
    return {KeyName::Letter, c, held};
}
KeyStroke held(KeyStroke key) {
    key.repeat = true;
    return key;
}
KeyStroke composing(KeyStroke key) {
    key.composing = true;
    return key;
}

TEST(KeyTableTest, WhatAKeyDoesWhereTheFocusIs) {
    const struct {
        KeyStroke key;
        Focus focus;
        KeyAction action;
    } rows[] = {
        {{KeyName::F2}, Focus::Button, KeyAction::NewGame},  // wherever the focus is
        {letter('N', Modifiers::Ctrl), Focus::TextBox, KeyAction::NewGame},
        {kEnter, Focus::TextBox, KeyAction::PressDefault},
        {kEnter, Focus::Button, KeyAction::PressFocused},
        {kSpace, Focus::Button, KeyAction::PressFocused},
        {kEnter, Focus::Window, KeyAction::PressBanner},
        {kSpace, Focus::Label, KeyAction::PressBanner},
        {kSpace, Focus::TextBox, KeyAction::Pass},  // types a space
        {letter('p'), Focus::TextBox, KeyAction::Pass},
        {{KeyName::Enter, 0, Modifiers::Shift}, Focus::TextBox, KeyAction::Pass},
        {letter('O', Modifiers::Alt), Focus::TextBox, KeyAction::PressAccessKey},
        {letter('F', Modifiers::Alt), Focus::Window, KeyAction::Pass},  // no button has it
        {letter('O', Modifiers::Alt | Modifiers::Shift), Focus::Window, KeyAction::Pass},
        {letter('W', Modifiers::Ctrl), Focus::Button, KeyAction::Close},
        // A held key does nothing its first press did not; typing repeats as it always has.
        {held(kEnter), Focus::TextBox, KeyAction::Ignore},
        {held(kSpace), Focus::Window, KeyAction::Ignore},
        {held({KeyName::F2}), Focus::Window, KeyAction::Ignore},
        {held(letter('x')), Focus::TextBox, KeyAction::Pass},
        // The Enter that ends an input method's composing is the input method's.
        {composing(kEnter), Focus::TextBox, KeyAction::Pass},
        // A letter with no widget focused goes into the text box; Tab moves on, held too.
        {letter('P'), Focus::Window, KeyAction::TypeIntoBox},
        {letter('P', Modifiers::Shift), Focus::Window, KeyAction::TypeIntoBox},
        {letter('P', Modifiers::Ctrl), Focus::Window, KeyAction::Pass},
        {held({KeyName::Tab}), Focus::TextBox, KeyAction::FocusNext},
        {{KeyName::Tab, 0, Modifiers::Shift}, Focus::Label, KeyAction::FocusPrevious},
        // Out of the form: the page's own keys, its controls' presses; a letter still goes
        // into the box, and the window's keys work there too.
        {{KeyName::Tab}, Focus::Outside, KeyAction::Pass},
        {{KeyName::Tab, 0, Modifiers::Shift}, Focus::Outside, KeyAction::Pass},
        {kEnter, Focus::Outside, KeyAction::Pass},
        {kSpace, Focus::Outside, KeyAction::Pass},
        {letter('P'), Focus::Outside, KeyAction::TypeIntoBox},
        {{KeyName::F2}, Focus::Outside, KeyAction::NewGame},
    };
    Form1 game;
    game.Form_Click();
    for (const auto& row : rows) {
        EXPECT_EQ(window::actionFor(game.form(), row.key, row.focus), row.action)
            << "key " << int(row.key.name) << " " << row.key.letter << ", modifiers "
            << int(row.key.modifiers) << ", focus " << int(row.focus);
    }
}

}  // namespace
}  // namespace wordrop::testing
