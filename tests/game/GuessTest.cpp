// SPDX-License-Identifier: MIT
// Whole games played through the handlers, and the judging of each guess.
#include <gtest/gtest.h>

#include <algorithm>

#include "Play.h"

namespace wordrop::testing {
namespace {

using game::GuessOutcome;
using window::EventStatus;
using window::OperationKind;
using window::Violet;

class GuessTest : public ::testing::Test {
  protected:
    void SetUp() override { game.Form_Click(); }

    std::string revealedWord() const {
        // The letter labels, read left to right, with a blank for each hidden one.
        std::vector<std::pair<int, char>> letters;
        for (const Control& c : game.form().controls()) {
            if (c.design->font.face == "Courier New") {
                letters.emplace_back(c.bounds().left, c.visible ? c.caption[0] : '_');
            }
        }
        std::sort(letters.begin(), letters.end());
        std::string word;
        for (const auto& letter : letters) word += letter.second;
        return word;
    }

    Form1 game;
};

TEST_F(GuessTest, ACorrectLetterShowsEveryPlaceItStands) {
    EXPECT_EQ(guess(game, "p"), GuessOutcome::Correct);
    EXPECT_EQ(revealedWord(), "P__________");
    EXPECT_EQ(game.rightCount(), 1);
    EXPECT_EQ(guess(game, "r"), GuessOutcome::Correct);
    EXPECT_EQ(revealedWord(), "PR__R______");
    EXPECT_EQ(game.rightCount(), 2);
    EXPECT_EQ(guess(game, "g"), GuessOutcome::Correct);
    EXPECT_EQ(guess(game, "m"), GuessOutcome::Correct);
    EXPECT_EQ(revealedWord(), "PR_GR_MM__G");
    EXPECT_EQ(game.wrongCount(), 0);
    EXPECT_TRUE(game.form().drawing().primitives.empty());
}

TEST_F(GuessTest, EveryPressEmptiesTheTextBox) {
    for (const char* text : {"p", "x", "", "pp"}) {
        guess(game, text);
        EXPECT_EQ(control(game, "txtLetter").text, "") << text;
    }
}

TEST_F(GuessTest, AnythingButOneLowerCaseLetterOfTheWordIsWrongAndListedAsTyped) {
    const std::vector<std::string> wrong{"P", "", "pp", " p", "p ", "<b>x</b>", "\xc3\xa9"};
    for (std::size_t k = 0; k < wrong.size(); ++k) {
        EXPECT_EQ(guess(game, wrong[k]), GuessOutcome::Wrong) << wrong[k];
        EXPECT_EQ(control(game, "lblWrong", static_cast<int>(k)).caption, wrong[k]);
        EXPECT_EQ(game.wrongCount(), static_cast<int>(k + 1));
        EXPECT_EQ(game.form().drawing().primitives.size(), k + 1);
    }
    EXPECT_EQ(game.rightCount(), 0);
    EXPECT_EQ(revealedWord(), "___________");
}

TEST_F(GuessTest, AWrongTextGivenTwiceIsListedTwiceAndDrawsTwoPieces) {
    guessAll(game, {"x", "x"});
    EXPECT_EQ(control(game, "lblWrong", 0).caption, "x");
    EXPECT_EQ(control(game, "lblWrong", 1).caption, "x");
    EXPECT_EQ(game.form().drawing().primitives.size(), 2u);
}

TEST_F(GuessTest, TheWholeWordWinsExactlyAtTheEighthLetter) {
    std::size_t n = 0;
    for (const char* letter : kWholeWord) {
        const GuessOutcome outcome = guess(game, letter);
        ++n;
        EXPECT_EQ(outcome, n < 8 ? GuessOutcome::Correct : GuessOutcome::Won) << letter;
        EXPECT_EQ(visible(game, "lblWin"), n == 8);
    }
    EXPECT_EQ(revealedWord(), "PROGRAMMING");
    EXPECT_TRUE(visible(game, "lblProgram"));
    EXPECT_FALSE(visible(game, "cmdOK"));
    EXPECT_FALSE(visible(game, "txtLetter"));
    EXPECT_EQ(control(game, "txtLetter").text, "");
    EXPECT_EQ(game.rightCount(), 8);
}

TEST_F(GuessTest, MixedGameWinsWithItsWrongGuessesListed) {
    guessAll(game, {"e", "p", "r", "s", "o", "g", "t", "a", "m", "i", "u", "v", "w", "x", "y"});
    EXPECT_EQ(guess(game, "n"), GuessOutcome::Won);
    EXPECT_EQ(game.wrongCount(), 8);  // one short of losing
    EXPECT_FALSE(visible(game, "lblLoser"));
    EXPECT_EQ(control(game, "lblWrong", 7).caption, "y");
}

// Counting a letter again each time it is given would let "p" alone win the game.
TEST_F(GuessTest, ARepeatedLetterCountsOnce) {
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(guess(game, "p"), n == 0 ? GuessOutcome::Correct : GuessOutcome::Repeated);
    }
    EXPECT_EQ(game.rightCount(), 1);
    EXPECT_EQ(game.wrongCount(), 0);
    EXPECT_FALSE(visible(game, "lblWin"));
    EXPECT_TRUE(visible(game, "cmdOK"));
    EXPECT_EQ(control(game, "txtLetter").text, "");
    EXPECT_EQ(revealedWord(), "P__________");
}

TEST_F(GuessTest, AfterARestartTheLettersMustBeGuessedAgain) {
    guessAll(game, {"p", "r", "o"});
    game.Form_Click();
    EXPECT_EQ(revealedWord(), "PRO_R______");  // still on the board
    EXPECT_EQ(guess(game, "p"), GuessOutcome::Correct);
    EXPECT_EQ(game.rightCount(), 1);
    guessAll(game, {"r", "o", "g", "a", "m", "i"});
    EXPECT_EQ(guess(game, "n"), GuessOutcome::Won);
}

TEST_F(GuessTest, NineWrongGuessesLose) {
    std::size_t n = 0;
    for (const char* text : kNineWrong) {
        const GuessOutcome outcome = guess(game, text);
        ++n;
        EXPECT_EQ(outcome, n < 9 ? GuessOutcome::Wrong : GuessOutcome::Lost);
        EXPECT_EQ(visible(game, "lblLoser"), n == 9);
    }
    EXPECT_EQ(game.wrongCount(), 9);
    EXPECT_EQ(control(game, "lblWrong", 8).caption, "l");
    EXPECT_FALSE(visible(game, "cmdOK"));
    EXPECT_EQ(control(game, "txtLetter").text, "");
    EXPECT_TRUE(game.form().drawing().primitives.empty());  // the ninth piece went with the rest
}

TEST_F(GuessTest, ACorrectLetterAtEightWrongDoesNotLose) {
    guessAll(game, {"b", "c", "d", "e", "f", "h", "j", "k"});
    EXPECT_EQ(guess(game, "p"), GuessOutcome::Correct);
    EXPECT_FALSE(visible(game, "lblLoser"));
    EXPECT_TRUE(visible(game, "cmdOK"));
}

TEST_F(GuessTest, AWrongGuessAtSevenRightDoesNotWin) {
    guessAll(game, {"p", "r", "o", "g", "a", "m", "i"});
    EXPECT_EQ(guess(game, "z"), GuessOutcome::Wrong);
    EXPECT_FALSE(visible(game, "lblWin"));
    EXPECT_EQ(game.rightCount(), 7);
}

TEST_F(GuessTest, ThePressGoesThroughTheButtonClick) {
    type(game, "p");
    EXPECT_EQ(game.form().click(*game.form().find("cmdOK")).status, EventStatus::Handled);
    EXPECT_EQ(game.rightCount(), 1);
    type(game, "x");
    EXPECT_EQ(game.form().clickAt(centreOf(game.form(), "cmdOK")).status, EventStatus::Handled);
    EXPECT_EQ(game.wrongCount(), 1);
}

// Failures part way through a press: what was done stays, the rest does not happen.
class GuessFailureTest : public GuessTest {
  protected:
    window::EventResult pressFailing(const std::string& text, window::OperationKind kind,
                                     std::string_view name = {}, int index = -1) {
        type(game, text);
        failNext(game.form(), kind, name, index);
        return game.form().click(*game.form().find("cmdOK"));
    }
};

TEST_F(GuessFailureTest, FailureWhileRecordingTheWrongLetterChangesNothingElse) {
    const auto result = pressFailing("x", OperationKind::Caption, "lblWrong", 0);
    EXPECT_EQ(result.status, EventStatus::Failed);
    EXPECT_EQ(game.wrongCount(), 0);
    EXPECT_TRUE(game.form().drawing().primitives.empty());
    EXPECT_EQ(control(game, "lblWrong", 0).caption, "");
    EXPECT_EQ(control(game, "txtLetter").text, "x");  // not emptied
}

TEST_F(GuessFailureTest, FailureWhileDrawingLeavesTheLetterListedButUncounted) {
    const auto result = pressFailing("x", OperationKind::Circle);
    EXPECT_EQ(result.status, EventStatus::Failed);
    EXPECT_EQ(control(game, "lblWrong", 0).caption, "x");
    EXPECT_EQ(game.wrongCount(), 0);
    EXPECT_EQ(control(game, "txtLetter").text, "x");
}

TEST_F(GuessFailureTest, FailureRevealingTheSecondRStopsBeforeCounting) {
    const auto result = pressFailing("r", OperationKind::Visible, "lblR", 1);
    EXPECT_EQ(result.status, EventStatus::Failed);
    EXPECT_TRUE(visible(game, "lblR", 0));
    EXPECT_FALSE(visible(game, "lblR", 1));
    EXPECT_EQ(game.rightCount(), 0);
    // The letter was not counted, so giving it again counts it.
    EXPECT_EQ(guess(game, "r"), GuessOutcome::Correct);
    EXPECT_EQ(game.rightCount(), 1);
}

TEST_F(GuessFailureTest, FailureInsideTheLossBoardStopsBeforeTheBoxIsEmptied) {
    guessAll(game, {"b", "c", "d", "e", "f", "h", "j", "k"});
    const auto result = pressFailing("l", OperationKind::Cls);
    EXPECT_EQ(result.status, EventStatus::Failed);
    EXPECT_EQ(game.wrongCount(), 9);
    EXPECT_TRUE(visible(game, "lblLoser"));
    EXPECT_FALSE(visible(game, "cmdOK"));
    EXPECT_EQ(game.form().drawing().primitives.size(), 9u);  // Cls failed
    EXPECT_EQ(control(game, "txtLetter").text, "l");
}

TEST_F(GuessFailureTest, WrongCountOfNineRaisesTheIndexErrorBeforeDrawing) {
    game.setCountersForTesting(game.rightCount(), 9);
    type(game, "x");
    const auto result = game.form().click(*game.form().find("cmdOK"));
    EXPECT_EQ(result.status, EventStatus::Failed);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->kind(), window::ErrorKind::IndexOutOfRange);
    EXPECT_TRUE(game.form().drawing().primitives.empty());
    EXPECT_EQ(game.wrongCount(), 9);
}

TEST_F(GuessFailureTest, CounterAtItsLimitRaisesOverflowAndKeepsItsValue) {
    game.setCountersForTesting(game.rightCount(), 32767);
    // lblWrong(32767) does not exist, so the wrong path fails on its lookup; the right
    // path reaches the increment.
    game.setCountersForTesting(32767, game.wrongCount());
    type(game, "p");
    const auto result = game.form().click(*game.form().find("cmdOK"));
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->kind(), window::ErrorKind::Overflow);
    EXPECT_EQ(game.rightCount(), 32767);
    EXPECT_TRUE(visible(game, "lblP"));  // shown before the count failed
}

}  // namespace
}  // namespace wordrop::testing
