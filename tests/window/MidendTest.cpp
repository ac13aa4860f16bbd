// SPDX-License-Identifier: MIT
// The midend through the text front end: keys as each toolkit delivers them, the focus,
// clicks on widgets, and whole games played by keyboard alone, with no display.
#include <gtest/gtest.h>

#include "KeyRows.h"
#include "Play.h"
#include "Points.h"
#include "TextFrontEnd.h"

namespace wordrop::testing {
namespace {

using window::PointerMotion;

// Brings a new window to a row's screen as a player would.
void setUp(TextFrontEnd& window, const std::string& step) {
    if (step == "click") return window.click(points::kBackground);
    if (step == "banner") return window.click(points::kBanner);
    if (step == "strip") return window.click(points::kStrip);
    if (step == "ok") return window.clickWidget("cmdOK");
    ASSERT_TRUE(step.starts_with("type:")) << step;
    window.focus("txtLetter");
    window.type(step.substr(5));
}

// Each way a toolkit tells of a held key: the table's summaries hold for all of them.
TEST(MidendTest, EachKeyLeavesTheScreenTheTableSays) {
    const std::vector<KeyRow> rows = keyRows(WORDROP_KEY_TABLE);
    ASSERT_GE(rows.size(), 10u);
    for (const Repeats repeats :
         {Repeats::ReleaseAndPressAtOneTime, Repeats::PressesAlone, Repeats::Marked}) {
        for (const KeyRow& row : rows) {
            SCOPED_TRACE(::testing::Message()
                         << "keys-by-screen.txt line " << row.line << ", repeats " << int(repeats));
            TextFrontEnd window;
            for (const std::string& step : row.setup) setUp(window, step);
            window.focus(row.focus == "box"      ? "txtLetter"
                         : row.focus == "button" ? "cmdOK"
                                                 : "none");
            for (const std::string& key : row.keys) window.press(key, repeats);
            EXPECT_EQ(window.summary(), row.summary);
        }
    }
}

// A key let go and pressed again is two presses, however quickly; only the release and
// press a held key sends at one time are one.
TEST(MidendTest, AKeyPressedTwiceIsTwoPresses) {
    TextFrontEnd window;
    window.press("F2 x Enter y Enter");
    EXPECT_EQ(window.game().wrongCount(), 2);
    window.press("z");
    window::KeyStroke enter{window::KeyName::Enter};
    enter.time = 5;
    static_cast<void>(window.midend().key(enter, window::KeyMotion::Release));
    static_cast<void>(window.midend().key(enter));  // the release's time: a repeat
    EXPECT_EQ(window.game().wrongCount(), 2);
    static_cast<void>(window.midend().key(enter, window::KeyMotion::Release));
    enter.time = 6;
    static_cast<void>(window.midend().key(enter));
    EXPECT_EQ(window.game().wrongCount(), 3);
}

// Alt+O held, Alt let go before O: X repeats a bare O meanwhile, which types nothing.
TEST(MidendTest, AHeldKeyDoesWhatItsFirstPressDidThoughAModifierIsLetGo) {
    TextFrontEnd window;
    window.press("F2 p");
    window::KeyStroke o{window::KeyName::Letter, 'O', window::Modifiers::Alt};
    o.time = 1;
    EXPECT_TRUE(window.midend().key(o).used);
    o.modifiers = window::Modifiers::None;
    o.text = "o";
    o.time = 2;
    static_cast<void>(window.midend().key(o, window::KeyMotion::Release));
    EXPECT_TRUE(window.midend().key(o).used) << "the bare O's repeat would type";
    static_cast<void>(window.midend().key(o, window::KeyMotion::Release));
    o.time = 3;
    EXPECT_FALSE(window.midend().key(o).used) << "a new press of O types";
    EXPECT_EQ(window.game().rightCount(), 1);
}

// A key held while the window lost the keyboard was let go where the window cannot hear.
TEST(MidendTest, AKeyDownWhenTheWindowLostTheKeyboardIsForgotten) {
    TextFrontEnd window;
    window.press("F2 x");
    window::KeyStroke enter{window::KeyName::Enter};
    enter.time = 1;
    static_cast<void>(window.midend().key(enter));
    window.press("y");
    window.midend().deactivated();
    enter.time = 2;
    static_cast<void>(window.midend().key(enter));
    EXPECT_EQ(window.game().wrongCount(), 2);
}

// The focus never falls to nothing: from a widget that hides to the banner that now
// answers clicks, and from there to the window.
TEST(MidendTest, TheFocusGoesToTheBannerAndThenToTheWindow) {
    const struct {
        const char* keys;
        const char* focus;
        const char* after;
    } rows[] = {
        {"F2 p Enter r Enter o Enter g Enter a Enter m Enter i Enter n Enter", "lblWin", "window"},
        {"F2 b Enter c Enter d Enter e Enter f Enter h Enter j Enter k Enter l Enter", "lblLoser",
         "window"},
    };
    for (const auto& row : rows) {
        TextFrontEnd window;
        window.press(row.keys);
        EXPECT_EQ(window.focusName(), row.focus) << row.keys;
        window.press("Enter");
        EXPECT_EQ(window.focusName(), row.after) << row.keys;
        EXPECT_EQ(window.game().screen(), game::Screen::Closed) << row.keys;
    }
}

TEST(MidendTest, TabVisitsTheWidgetsAndABanner) {
    TextFrontEnd window;
    window.press("Tab");
    EXPECT_EQ(window.focusName(), "window") << "nothing takes the focus on the start screen";
    window.press("F2 Tab");
    EXPECT_EQ(window.focusName(), "cmdOK");
    EXPECT_TRUE(window.midend().focusMarked()) << "keys moved the focus: it is marked";
    window.press("Tab");
    EXPECT_EQ(window.focusName(), "txtLetter");
    window.press("Shift+Tab");
    EXPECT_EQ(window.focusName(), "cmdOK");
    window.press("Tab p r o g a m i Space n Enter");
    EXPECT_EQ(window.game().screen(), game::Screen::Playing) << "one guess of all the letters";
    window.press("Tab Tab");
    EXPECT_EQ(window.focusName(), "txtLetter");
    window.click(points::kBackground);
    EXPECT_FALSE(window.midend().focusMarked()) << "a press of the pointer unmarks it";
}

// Out of the form, on a page's own controls, Tab moves through the page and Enter and Space
// press what has the focus there: the window takes none of them. A letter still goes into
// the box, and the focus with it.
TEST(MidendTest, OutOfTheFormTabEnterAndSpaceAreThePages) {
    TextFrontEnd window;
    window.press("F2");
    window.focus("outside");
    window.press("Tab Shift+Tab Tab+held3");
    EXPECT_EQ(window.focusName(), "outside");
    window.press("x Enter");
    EXPECT_EQ(window.focusName(), "txtLetter");
    EXPECT_EQ(window.game().wrongCount(), 1);
    window.press("p Enter r Enter o Enter g Enter a Enter m Enter i Enter n Enter");
    ASSERT_EQ(window.focusName(), "lblWin");
    window.focus("outside");
    window.press("Enter Space");
    EXPECT_EQ(window.game().screen(), game::Screen::Won) << "the banner is not pressed";
    window.focus("none");
    window.press("Enter");
    EXPECT_EQ(window.game().screen(), game::Screen::Closed) << "from the window it is";
}

// A press on a widget is the widget's, and so is its release wherever it is let go; the
// form takes every other.
TEST(MidendTest, APressOnAWidgetIsTheWidgetsOwn) {
    TextFrontEnd window;
    window.click(points::kBackground);
    const window::Rect ok = control(window.game(), "cmdOK").bounds();
    const window::PointF onOk{points::pixels(ok.left + 10), points::pixels(ok.top + 10)};
    const window::PointF background{points::pixels(points::kBackground.x),
                                    points::pixels(points::kBackground.y)};
    EXPECT_FALSE(window.midend().pointer(PointerMotion::Press, onOk).used);
    EXPECT_FALSE(window.midend().pointer(PointerMotion::Release, background).used);
    EXPECT_TRUE(window.midend().pointer(PointerMotion::Press, background).used);
    EXPECT_TRUE(window.midend().pointer(PointerMotion::Release, onOk).used);
    EXPECT_EQ(window.told(),
              (std::vector<std::string>{"A new game: the word has 11 letters. Pick a letter."}))
        << "neither a guess nor a new game";
}

TEST(MidendTest, ARunTimeErrorIsToldAndTheGameGoesOn) {
    TextFrontEnd window;
    window.press("F2 x");
    failNext(window.game().form(), window::OperationKind::Caption, "lblWrong", 0);
    window.press("Enter");
    ASSERT_EQ(window.errors().size(), 1u);
    EXPECT_TRUE(window.errors()[0].starts_with("Run-time error: ")) << window.errors()[0];
    window.press("Enter");
    EXPECT_EQ(window.game().wrongCount(), 1);
}

// A whole game by keyboard alone, as the text front end prints it.
TEST(MidendTest, AWholeGameByKeyboardAlone) {
    TextFrontEnd window;
    window.press("F2 x Enter p");
    EXPECT_EQ(window.print(),
              "Form1, focus: txtLetter\n"
              "  Are you ready to play\n"
              "  Wordrop??\n"
              "  Pick a letter\n"
              "  Pick a letter: <p>\n"
              "  (Ok!)\n"
              "  Wrong guesses: x\n");
    window.press("Enter r Enter o Enter g Enter a Enter m Enter i Enter n Enter");
    EXPECT_EQ(window.print(),
              "Form1, focus: lblWin\n"
              "  [You Win!!!]\n"
              "  The Word was: PROGRAMMING\n");
    window.press("Space");
    const std::string closing = "  Please Exit\n  and Try Again!\n";
    EXPECT_EQ(window.print(), "Form1, focus: window\n" + closing);
    window.press("Ctrl+Q");
    EXPECT_EQ(window.print(), "Form1 (closed), focus: window\n" + closing);
}

// A letter picked from the pad is the guess of that letter typed into the box, in place of
// what it held, and Ok! pressed; before a game and after its end it does nothing. Each row
// plays both ways, side by side.
TEST(MidendTest, ALetterPickedIsTheGuessTheBoxAndOkMake) {
    const struct {
        const char* picks;
        const char* marks;  // the pad's marks at the end
        game::Screen screen;
    } rows[] = {
        {"pxrzogami", "+A +G +I +M +O +P +R -X -Z", game::Screen::Playing},
        {"pxrzogamin", "+A +G +I +M +N +O +P +R -X -Z", game::Screen::Won},
        {"bcdefhjkl", "-B -C -D -E -F -H -J -K -L", game::Screen::Lost},
        {"ppppppppb", "-B +P", game::Screen::Playing},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.picks);
        TextFrontEnd pad;
        TextFrontEnd typed;
        const auto body = [](TextFrontEnd& window) {
            const std::string text = window.print();
            return text.substr(text.find('\n'));
        };
        pad.pick('p');
        EXPECT_EQ(pad.summary(), typed.summary()) << "no game yet: nothing picked";
        EXPECT_TRUE(pad.told().empty());
        pad.click(points::kBackground);
        typed.click(points::kBackground);
        // What the box held is replaced, not added to.
        typed.focus("txtLetter");
        typed.type("q");
        pad.focus("txtLetter");
        pad.type("q");
        for (const char* letter = row.picks; *letter != 0; ++letter) {
            pad.pick(*letter);
            typed.focus("txtLetter");
            const window::ControlId box = *typed.game().form().find("txtLetter");
            static_cast<void>(typed.midend().type(box, std::string(1, *letter)));
            static_cast<void>(typed.midend().activate(*typed.game().form().find("cmdOK")));
            EXPECT_EQ(body(pad), body(typed)) << *letter;
            EXPECT_EQ(pad.summary(), typed.summary()) << *letter;
        }
        EXPECT_EQ(pad.game().screen(), row.screen);
        EXPECT_EQ(pad.game().wrongCount(), typed.game().wrongCount());
        EXPECT_EQ(pad.game().rightCount(), typed.game().rightCount());
        EXPECT_EQ(pad.padMarks(), row.marks);
        EXPECT_EQ(pad.midend().canPickLetter(), row.screen == game::Screen::Playing);
        if (row.screen == game::Screen::Playing) continue;
        const std::string before = pad.summary();
        const std::size_t told = pad.told().size();
        pad.pick('q');
        EXPECT_EQ(pad.summary(), before) << "over: nothing picked";
        EXPECT_EQ(pad.told().size(), told);
    }
}

// The pad's marks are the game's: a wrong guess typed in capitals, or two letters, marks no
// letter; a new game over the old board keeps the marks the board shows; after a loss the
// board shows no letter, and the next game's picks are marked all the same.
TEST(MidendTest, ThePadMarksWhatTheBoardShows) {
    TextFrontEnd window;
    EXPECT_EQ(window.padMarks(), "");
    window.click(points::kBackground);
    window.pick('g');
    window.pick('x');
    window.focus("txtLetter");
    window.type("Y");
    window.press("Enter");
    window.type("zz");
    window.press("Enter");
    EXPECT_EQ(window.padMarks(), "+G -X");
    window.click(points::kBackground);
    EXPECT_EQ(window.padMarks(), "+G -X") << "the old board stays";
    for (const char letter : std::string("bcdefhjkl")) window.pick(letter);
    ASSERT_EQ(window.game().screen(), game::Screen::Lost);
    window.click(points::kStrip);
    EXPECT_EQ(window.padMarks(), "");
    window.pick('p');
    window.pick('q');
    EXPECT_EQ(window.padMarks(), "+P -Q") << "each as the game counted it";
}

// A tap no widget took is a click on the form, unless it came while the on-screen keyboard
// was up for the text box: then it only puts the keyboard away.
TEST(MidendTest, ATapThatPutsTheKeyboardAwayDoesNothingElse) {
    TextFrontEnd window;
    window.tap(points::kBackground, true);
    EXPECT_EQ(window.game().screen(), game::Screen::Playing) << "no box, no keyboard: a game";
    window.focus("txtLetter");
    window.pick('x');
    window.tap(points::kBackground, true);
    EXPECT_EQ(window.focusName(), "window");
    EXPECT_EQ(window.game().wrongCount(), 1) << "the game goes on";
    EXPECT_EQ(window.told().size(), 2u);
    const window::Rect ok = control(window.game(), "cmdOK").bounds();
    window.tap({ok.left + 10, ok.top + 10});
    EXPECT_EQ(window.game().wrongCount(), 1) << "Ok!'s place is Ok!'s own";
    window.tap(points::kBackground);
    EXPECT_EQ(window.game().wrongCount(), 0) << "a new game";
}

}  // namespace
}  // namespace wordrop::testing
