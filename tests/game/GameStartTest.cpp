// SPDX-License-Identifier: MIT
// The window as it opens, and a click on its background starting a game.
#include <gtest/gtest.h>

#include "Play.h"
#include "Points.h"
#include "game/Figure.h"

namespace wordrop::testing {
namespace {

using window::Colour;
using window::EventStatus;
using window::Point;
using window::SystemColour;
using window::Violet;

constexpr Colour kButtonFace = Colour::system(SystemColour::ButtonFace);
constexpr Point kEmptySpot = points::kBackground;

std::vector<std::string> visibleNames(const Form1& game) {
    std::vector<std::string> names;
    for (const Control& c : game.form().controls()) {
        if (c.visible) names.push_back(window::displayName(c));
    }
    return names;
}

TEST(StartScreenTest, OnlyTheNineEmptyBoxesShow) {
    const Form1 game;
    std::vector<std::string> expected;
    for (int k = 8; k >= 0; --k) expected.push_back("lblWrong(" + std::to_string(k) + ")");
    EXPECT_EQ(visibleNames(game), expected);
    for (int k = 0; k < 9; ++k) EXPECT_EQ(control(game, "lblWrong", k).caption, "");
    EXPECT_EQ(game.form().backColour(), kButtonFace);
    EXPECT_TRUE(game.form().drawing().primitives.empty());
    EXPECT_EQ(game.form().caption(), "Form1");
}

TEST(StartScreenTest, AClickOnAWrongLetterBoxDoesNothing) {
    Form1 game;
    const auto before = snapshot(game.form());
    const auto result = game.form().clickAt(centreOf(game.form(), "lblWrong", 4));
    EXPECT_EQ(result.status, EventStatus::Ignored);
    EXPECT_EQ(snapshot(game.form()), before);
}

class FirstClickTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(game.form().clickAt(kEmptySpot).status, EventStatus::Handled);
    }
    Form1 game;
};

TEST_F(FirstClickTest, ShowsTheBoardOnAVioletWindow) {
    EXPECT_EQ(game.rightCount(), 0);
    EXPECT_EQ(game.wrongCount(), 0);
    EXPECT_EQ(game.form().backColour(), Violet);
    EXPECT_EQ(game.form().fillStyle(), window::FillMode::Transparent);
    for (int n = 1; n <= 9; ++n) EXPECT_TRUE(visible(game, "shp" + std::to_string(n)));
    for (int n = 1; n <= 11; ++n) EXPECT_TRUE(visible(game, "Line" + std::to_string(n)));
    for (const char* name : {"lblPick", "txtLetter", "cmdOK", "lblAre", "lblwordrop"}) {
        EXPECT_TRUE(visible(game, name)) << name;
    }
    for (const char* name : {"lblLoser", "lblWin", "lblProgram", "lblEnd", "lblEnd2"}) {
        EXPECT_FALSE(visible(game, name)) << name;
    }
}

TEST_F(FirstClickTest, GivesLettersAndBoxesAVioletBackgroundAndKeepsLettersHidden) {
    for (int k = 0; k < 9; ++k) {
        EXPECT_TRUE(visible(game, "lblWrong", k));
        EXPECT_EQ(control(game, "lblWrong", k).back, Violet);
    }
    for (auto [name, index] : {std::pair{"lblP", -1},
                               {"lblR", 0},
                               {"lblR", 1},
                               {"lblO", -1},
                               {"lblG", 0},
                               {"lblG", 1},
                               {"lblA", -1},
                               {"lblM", 0},
                               {"lblM", 1},
                               {"lblI", -1},
                               {"lblN", -1}}) {
        EXPECT_FALSE(visible(game, name, index)) << name;
        EXPECT_EQ(control(game, name, index).back, Violet) << name;
    }
    EXPECT_EQ(control(game, "lblPick").back, Violet);
    EXPECT_EQ(control(game, "lblLoser").back, Violet);
    // The prompts keep their own colours.
    EXPECT_EQ(control(game, "lblwordrop").back, window::Black);
    EXPECT_EQ(control(game, "lblAre").back, Colour::system(SystemColour::ButtonText));
}

TEST_F(FirstClickTest, ASecondClickChangesNothing) {
    const auto before = snapshot(game.form());
    ASSERT_EQ(game.form().clickAt({100, 8000}).status, EventStatus::Handled);
    EXPECT_EQ(snapshot(game.form()), before);
    EXPECT_EQ(game.rightCount(), 0);
    EXPECT_EQ(game.wrongCount(), 0);
}

TEST_F(FirstClickTest, GallowsBlanksAndFigureAreBackground) {
    guess(game, "x");  // draws the head
    for (const char* name : {"shp2", "shp5", "Line3"}) {
        game.setCountersForTesting(game.rightCount(), 5);
        EXPECT_EQ(game.form().clickAt(centreOf(game.form(), name)).status, EventStatus::Handled)
            << name;
        EXPECT_EQ(game.wrongCount(), 0) << name;
    }
    guess(game, "x");
    EXPECT_EQ(game.form().clickAt({3000, 1000}).status, EventStatus::Handled);  // top of the head
    EXPECT_TRUE(game.form().drawing().primitives.empty());
}

TEST_F(FirstClickTest, LabelsTheTextBoxAndTheButtonTakeTheirOwnClicks) {
    guess(game, "p");
    game.setCountersForTesting(game.rightCount(), 3);
    for (auto [name, index] : {std::pair{"lblPick", -1},
                               {"lblAre", -1},
                               {"lblwordrop", -1},
                               {"lblWrong", 2},
                               {"lblP", -1},
                               {"txtLetter", -1}}) {
        EXPECT_EQ(game.form().clickAt(centreOf(game.form(), name, index)).status,
                  EventStatus::Ignored)
            << name;
    }
    EXPECT_EQ(game.wrongCount(), 3);
    EXPECT_EQ(game.rightCount(), 1);
}

TEST_F(FirstClickTest, MidGameClickKeepsTheOldBoardButClearsTheFigure) {
    guess(game, "p");
    guess(game, "x");
    ASSERT_EQ(game.form().drawing().primitives.size(), 1u);
    type(game, "half typed");
    ASSERT_EQ(game.form().clickAt(kEmptySpot).status, EventStatus::Handled);

    EXPECT_TRUE(visible(game, "lblP"));
    EXPECT_EQ(control(game, "lblWrong", 0).caption, "x");
    EXPECT_TRUE(game.form().drawing().primitives.empty());
    EXPECT_EQ(game.rightCount(), 0);
    EXPECT_EQ(game.wrongCount(), 0);
    EXPECT_EQ(control(game, "txtLetter").text, "half typed");

    // The new game's first wrong guess takes the first box and draws the head again.
    guess(game, "y");
    EXPECT_EQ(control(game, "lblWrong", 0).caption, "y");
    EXPECT_EQ(game.form().drawing().primitives.size(), 1u);
}

TEST_F(FirstClickTest, HidesTheLoseBannerButNotTheOtherBanners) {
    guessAll(game, kNineWrong);
    ASSERT_TRUE(visible(game, "lblLoser"));
    // The lose banner leaves a strip 30 twips wide at the right edge.
    ASSERT_EQ(game.form().clickAt({10230, 4000}).status, EventStatus::Handled);
    EXPECT_FALSE(visible(game, "lblLoser"));
    EXPECT_TRUE(visible(game, "cmdOK"));
    // Its letters were given Violet text by the loss, and keep it.
    EXPECT_EQ(control(game, "lblWrong", 0).fore, Violet);
    EXPECT_EQ(control(game, "lblWrong", 0).caption, "b");
}

// A failure part way through the board's preparation stops the click there.
TEST(GameStartFailureTest, FailureInPrepareBoardLeavesEarlierStepsDone) {
    Form1 game;
    game::drawFigurePiece(game.form(), 0);
    game.setCountersForTesting(5, 1);
    failNext(game.form(), window::OperationKind::BackColor, "lblWrong", 4);
    const auto result = game.form().clickAt(kEmptySpot);
    EXPECT_EQ(result.status, EventStatus::Failed);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->kind(), window::ErrorKind::OperationFailed);
    EXPECT_EQ(game.rightCount(), 0);
    EXPECT_EQ(game.wrongCount(), 1);
    EXPECT_TRUE(game.form().drawing().primitives.empty());  // the colour was set
    EXPECT_EQ(control(game, "lblWrong", 3).back, Violet);
    EXPECT_NE(control(game, "lblWrong", 4).back, Violet);
}

TEST(GameStartFailureTest, FailureInTheLastStepLeavesEverythingElseDone) {
    Form1 failing;
    failing.setCountersForTesting(failing.rightCount(), 4);
    failNext(failing.form(), window::OperationKind::BackColor, "lblPick");
    EXPECT_EQ(failing.form().clickAt(kEmptySpot).status, EventStatus::Failed);
    EXPECT_EQ(failing.wrongCount(), 0);
    EXPECT_TRUE(visible(failing, "lblwordrop"));
    EXPECT_NE(control(failing, "lblPick").back, Violet);
}

}  // namespace
}  // namespace wordrop::testing
