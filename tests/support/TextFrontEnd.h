// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game/Form1.h"
#include "game/Narration.h"
#include "window/Midend.h"

namespace wordrop::testing {

// How a toolkit tells the midend of a key held down: X without detectable auto-repeat
// sends a release and a press at one time for each repeat, and Qt marks some of them;
// with it, X sends presses alone; a browser marks each repeat.
enum class Repeats : std::uint8_t { ReleaseAndPressAtOneTime, PressesAlone, Marked };

// The third front end: Form1 through the midend with no toolkit at all, as the desktop and
// the page have it. It does what a toolkit does by itself (a key the midend leaves types
// into a focused text box, a click on a widget clicks it) and prints the scene as text.
class TextFrontEnd {
  public:
    TextFrontEnd();

    game::Form1& game() { return game_; }
    window::Midend& midend() { return midend_; }

    // A press and a release at a point of the window, in twips.
    void click(window::Point at);
    // A press and a release on a text box or button, which the widget takes itself.
    void clickWidget(std::string_view name);
    // A letter picked from a letter pad.
    void pick(char letter);
    // A tap that no widget took, with the on-screen keyboard up or not.
    void tap(window::Point at, bool keyboardUp = false);
    // Keys as the key table names them ("F2", "Alt+O", "Shift+Tab"; "p" types a p), each
    // followed by "+heldN" for N repeats; several are separated by spaces.
    void press(std::string_view keys, Repeats repeats = Repeats::ReleaseAndPressAtOneTime);
    // Typing into the focused text box, as the toolkit does.
    void type(std::string_view text);
    // Puts the focus on a widget by name, on the window ("none"), or out of the form
    // ("outside", on a page's own controls), as a toolkit does.
    void focus(std::string_view name);

    // The window as text: its title and focus, then what it reads, in reading order.
    [[nodiscard]] std::string print();
    [[nodiscard]] std::string summary() const { return midend_.summary(); }
    // The focused control's name, "window" or "outside".
    [[nodiscard]] std::string focusName() const;
    // The pad's marked letters, "+P" for a right one and "-X" for a wrong one.
    [[nodiscard]] std::string padMarks() const;
    // Every narration and run-time error so far, in order.
    const std::vector<std::string>& told() const { return told_; }
    const std::vector<std::string>& errors() const { return errors_; }

  private:
    void pressOne(std::string_view key, Repeats repeats);
    void show(const window::Outcome& outcome);
    window::ControlId id(std::string_view name) const;
    // What the view shows of a text box or button, and of the focused text box, if any.
    const window::WidgetSlot* slotOf(window::ControlId control);
    std::optional<window::WidgetSlot> focusedBox();

    game::Form1 game_;
    game::Form1Narrator narrator_{game_};
    window::Midend midend_;
    std::uint64_t clock_ = 1000;
    std::vector<std::string> told_;
    std::vector<std::string> errors_;
    bool closed_ = false;
};

}  // namespace wordrop::testing
