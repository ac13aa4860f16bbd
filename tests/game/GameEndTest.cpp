// SPDX-License-Identifier: MIT
// The screens after a game: Won, Lost, and the closing screen after each.
#include <gtest/gtest.h>

#include "Play.h"

namespace wordrop::testing {
namespace {

using window::Black;
using window::Colour;
using window::EventStatus;
using window::Violet;

constexpr Colour kDarkBlue = Colour::rgb(0, 0, 192);
constexpr Colour kRed = Colour::rgb(255, 0, 0);

const std::vector<std::string> kBoard{
    "shp1",   "shp2",   "shp3",    "shp4",   "shp5",       "shp6",      "shp7",  "shp8",  "shp9",
    "Line1",  "Line2",  "Line3",   "Line4",  "Line5",      "Line6",     "Line7", "Line8", "Line9",
    "Line10", "Line11", "lblPick", "lblAre", "lblwordrop", "txtLetter", "cmdOK"};

void expectBoardCleared(const Form1& game) {
    EXPECT_TRUE(game.form().drawing().primitives.empty());
    EXPECT_EQ(game.form().backColour(), Violet);
    for (const std::string& name : kBoard) EXPECT_FALSE(visible(game, name)) << name;
    for (int k = 0; k < 9; ++k) EXPECT_EQ(control(game, "lblWrong", k).fore, Violet);
    EXPECT_EQ(control(game, "lblP").fore, Violet);
    EXPECT_EQ(control(game, "lblG", 1).fore, Violet);
    EXPECT_EQ(control(game, "lblLoser").fore, Black);
}

class LostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game.Form_Click();
        guessAll(game, {"p", "g", "b", "c", "d", "e", "f", "h", "j", "k", "l"});
    }
    Form1 game;
};

TEST_F(LostTest, ShowsTheLoseBannerOnAClearedBoard) {
    EXPECT_TRUE(visible(game, "lblLoser"));
    expectBoardCleared(game);
    EXPECT_FALSE(visible(game, "lblEnd"));
    EXPECT_FALSE(visible(game, "lblEnd2"));
    EXPECT_EQ(control(game, "lblEnd").back, Violet);
    EXPECT_EQ(control(game, "lblEnd2").back, Violet);
    EXPECT_EQ(game.wrongCount(), 9);
    EXPECT_EQ(game.rightCount(), 2);
}

TEST_F(LostTest, RevealedAndListedLettersStayVisibleInVioletText) {
    EXPECT_TRUE(visible(game, "lblP"));
    EXPECT_TRUE(visible(game, "lblG", 0));
    EXPECT_FALSE(visible(game, "lblO"));
    EXPECT_TRUE(visible(game, "lblWrong", 8));
    EXPECT_EQ(control(game, "lblWrong", 8).caption, "l");
}

TEST_F(LostTest, OnlyTheRightEdgeStripReachesTheBackground) {
    const window::ControlId banner = *game.form().find("lblLoser");
    for (int y = 0; y < 8415; y += 15 * 7) {
        for (int x : {0, 5000, 10200, 10214}) {
            const window::Hit hit = game.form().hitTest({x, y});
            ASSERT_EQ(hit.kind, window::HitKind::Control) << x << "," << y;
            ASSERT_EQ(hit.control, banner);
        }
        for (int x : {10215, 10230, 10244}) {
            ASSERT_EQ(game.form().hitTest({x, y}).kind, window::HitKind::Background) << x;
        }
    }
}

TEST_F(LostTest, ClickOnTheBannerShowsTheVioletClosingScreen) {
    ASSERT_EQ(game.form().clickAt({5000, 4000}).status, EventStatus::Handled);
    EXPECT_FALSE(visible(game, "lblLoser"));
    EXPECT_TRUE(visible(game, "lblEnd"));
    EXPECT_TRUE(visible(game, "lblEnd2"));
    EXPECT_EQ(control(game, "lblEnd").back, Violet);
    EXPECT_EQ(control(game, "lblEnd2").fore, kRed);
    expectBoardCleared(game);
}

TEST_F(LostTest, TheStripStartsAGameWhoseLettersStayInvisible) {
    ASSERT_EQ(game.form().clickAt({10230, 100}).status, EventStatus::Handled);
    EXPECT_FALSE(visible(game, "lblLoser"));
    EXPECT_EQ(game.wrongCount(), 0);
    guess(game, "o");
    EXPECT_TRUE(visible(game, "lblO"));
    EXPECT_EQ(control(game, "lblO").fore, Violet);  // on a Violet background: unseen
    guess(game, "z");
    EXPECT_EQ(control(game, "lblWrong", 0).caption, "z");
    EXPECT_EQ(control(game, "lblWrong", 0).fore, Violet);
    EXPECT_EQ(game.form().drawing().primitives.size(), 1u);
}

class WonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game.Form_Click();
        guessAll(game, {"x", "p", "r", "o", "g", "a", "m", "i", "n"});
    }
    Form1 game;
};

TEST_F(WonTest, ShowsTheBannerAndTheWordOverTheLastBoard) {
    EXPECT_TRUE(visible(game, "lblWin"));
    EXPECT_TRUE(visible(game, "lblProgram"));
    EXPECT_FALSE(visible(game, "cmdOK"));
    EXPECT_FALSE(visible(game, "txtLetter"));
    EXPECT_TRUE(visible(game, "shp1"));  // behind the banner, as the last guess left it
    EXPECT_EQ(game.form().drawing().primitives.size(), 1u);
    EXPECT_EQ(game.rightCount(), 8);
}

TEST_F(WonTest, TheWordLabelSwallowsClicksInFrontOfTheBanner) {
    const auto before = snapshot(game.form());
    EXPECT_EQ(game.form().clickAt(centreOf(game.form(), "lblProgram")).status,
              EventStatus::Ignored);
    EXPECT_EQ(snapshot(game.form()), before);
}

TEST_F(WonTest, NoClickReachesTheBackground) {
    for (int x = 0; x < 10245; x += 15 * 16) {
        for (int y = 0; y < 8415; y += 15 * 16) {
            ASSERT_NE(game.form().hitTest({x, y}).kind, window::HitKind::Background)
                << x << "," << y;
        }
    }
}

TEST_F(WonTest, ClickOnTheBannerClearsTheBoardAndShowsTheBlueClosingScreen) {
    ASSERT_EQ(game.form().clickAt({100, 100}).status, EventStatus::Handled);
    EXPECT_FALSE(visible(game, "lblWin"));
    EXPECT_FALSE(visible(game, "lblProgram"));
    EXPECT_FALSE(visible(game, "lblLoser"));
    EXPECT_TRUE(visible(game, "lblEnd"));
    EXPECT_TRUE(visible(game, "lblEnd2"));
    EXPECT_EQ(control(game, "lblEnd").back, kDarkBlue);
    EXPECT_EQ(control(game, "lblEnd2").back, kDarkBlue);
    expectBoardCleared(game);
    EXPECT_TRUE(visible(game, "lblN"));  // revealed letters keep Visible
    EXPECT_EQ(game.rightCount(), 8);
}

TEST_F(WonTest, FailureInsideTheWinBoardLeavesTheBannerUp) {
    failNext(game.form(), window::OperationKind::Visible, "shp2");
    const auto result = game.form().clickAt({100, 100});
    EXPECT_EQ(result.status, EventStatus::Failed);
    EXPECT_TRUE(visible(game, "lblWin"));
    EXPECT_TRUE(visible(game, "lblProgram"));
    EXPECT_TRUE(game.form().drawing().primitives.empty());
    EXPECT_FALSE(visible(game, "shp1"));
    EXPECT_TRUE(visible(game, "shp2"));
}

// The closing screen is the last: no click anywhere changes anything.
class ClosedTest : public ::testing::TestWithParam<bool> {};

TEST_P(ClosedTest, NoClickChangesAnything) {
    Form1 game;
    game.Form_Click();
    if (GetParam()) {
        guessAll(game, kWholeWord);
        game.lblWin_Click();
    } else {
        guessAll(game, kNineWrong);
        game.lblLoser_Click();
    }
    const auto before = snapshot(game.form());
    for (int x = 0; x < 10245; x += 15 * 12) {
        for (int y = 0; y < 8415; y += 15 * 12) {
            ASSERT_NE(game.form().clickAt({x, y}).status, EventStatus::Handled) << x << "," << y;
        }
    }
    for (int y = 0; y < 8415; y += 15) {
        ASSERT_EQ(game.form().clickAt({10244, y}).status, EventStatus::Ignored) << y;
    }
    EXPECT_EQ(snapshot(game.form()), before);
}

INSTANTIATE_TEST_SUITE_P(AfterWinAndLoss, ClosedTest, ::testing::Bool());

}  // namespace
}  // namespace wordrop::testing
