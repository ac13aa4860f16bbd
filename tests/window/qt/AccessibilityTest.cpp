// SPDX-License-Identifier: MIT
// What assistive technology reads of the window, screen by screen.
#include <QAccessible>

#include "Faces.h"
#include "Points.h"
#include "ViewFixture.h"
#include "game/BoardSummary.h"

namespace wordrop::testing {
namespace {

struct Node {
    QAccessible::Role role;
    std::string name;
    friend bool operator==(const Node&, const Node&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Node& n) {
        return out << "{" << n.role << " '" << n.name << "'}";
    }
};

class AccessibilityTest : public ViewTest {
  protected:
    QAccessibleInterface* window() { return QAccessible::queryAccessibleInterface(&view); }
    std::vector<Node> nodes() {
        std::vector<Node> result;
        QAccessibleInterface* w = window();
        for (int i = 0; i < w->childCount(); ++i) {
            QAccessibleInterface* child = w->child(i);
            EXPECT_EQ(w->indexOfChild(child), i);
            EXPECT_EQ(child->parent(), w);
            result.push_back({child->role(), child->text(QAccessible::Name).toStdString()});
        }
        return result;
    }
    std::string description() { return window()->text(QAccessible::Description).toStdString(); }
};

using Nodes = std::vector<Node>;
constexpr auto kText = QAccessible::StaticText;

QStringList actionsOf(QAccessibleInterface* iface) {
    return iface->actionInterface() ? iface->actionInterface()->actionNames() : QStringList();
}

TEST_F(AccessibilityTest, StartScreenHasNothingToReadButItsTitle) {
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(window()->role(), QAccessible::Window);
    EXPECT_EQ(window()->text(QAccessible::Name), "Form1");
    EXPECT_EQ(nodes(), Nodes{});
    EXPECT_EQ(description(), "Click the window or press F2 to start a game.");
}

TEST_F(AccessibilityTest, PlayingScreenReadsPromptsBoxAndButtonInOrder) {
    // Where its lines break depends on the faces' widths.
    if (const auto why = facesDifferFromGoldens()) GTEST_SKIP() << *why;
    clickBackground();
    EXPECT_EQ(nodes(), (Nodes{{kText, "Are you ready to play"},
                              {kText, "Wordrop??"},
                              {kText, "Pick a letter"},
                              {QAccessible::EditableText, "Pick a letter"},
                              {QAccessible::Button, "Ok!"}}));
    EXPECT_EQ(description(), "0 wrong guesses. Word: _ _ _ _ _ _ _ _ _ _ _");
}

// Read by the board's regions; an empty guess shows no text but is still a guess.
TEST_F(AccessibilityTest, GuessesAreReadByRegionsAndListedInTheSummary) {
    clickBackground();
    guessAll(game, {"x", "g", "", "q"});
    EXPECT_EQ(nodes(), (Nodes{{kText, "Are you ready to play"},
                              {kText, "Wordrop??"},
                              {kText, "Pick a letter"},
                              {QAccessible::EditableText, "Pick a letter"},
                              {QAccessible::Button, "Ok!"},
                              {kText, "G, position 4"},
                              {kText, "G, position 11"},
                              {kText, "Wrong guesses: x, q"}}));
    EXPECT_EQ(description(), "3 wrong guesses: x, an empty guess, q. Word: _ _ _ G _ _ _ _ _ _ G");
}

TEST_F(AccessibilityTest, WinBannerHidesTheBoardBehindIt) {
    // Where its lines break depends on the faces' widths.
    if (const auto why = facesDifferFromGoldens()) GTEST_SKIP() << *why;
    clickBackground();
    guessAll(game, kWholeWord);
    EXPECT_EQ(nodes(), (Nodes{{kText, "You Win!!!"}, {kText, "The Word was: PROGRAMMING"}}));
    EXPECT_EQ(description(), "You win! The word was PROGRAMMING.");
}

TEST_F(AccessibilityTest, LetterTextInTheBackgroundColourIsNotRead) {
    clickBackground();
    guessAll(game, {"p", "b", "c", "d", "e", "f", "h", "j", "k", "l"});
    EXPECT_EQ(nodes(), (Nodes{{kText, "You Lose!!!"}}));
    EXPECT_EQ(description(), "You lose. 9 wrong guesses.");
    // A game started through the lose banner's strip plays in colours nobody can read: its
    // letters and wrong guesses stay out of the summary too.
    static_cast<void>(game.form().clickAt(points::kStrip));
    guessAll(game, {"p", "z"});
    EXPECT_EQ(description(), "1 wrong guess. Word: _ _ _ _ _ _ _ _ _ _ _");
}

TEST_F(AccessibilityTest, ClosingScreenReadsBothLines) {
    clickBackground();
    guessAll(game, kNineWrong);
    game.lblLoser_Click();
    EXPECT_EQ(nodes(), (Nodes{{kText, "Please Exit"}, {kText, "and Try Again!"}}));
    EXPECT_EQ(description(), "The game is over. Please exit and try again.");
}

// Each key's click is also an action, offered only where that click can be made.
TEST_F(AccessibilityTest, ActionsAreTheClicksTheScreenAllows) {
    const QStringList newGame{"new game"};
    EXPECT_EQ(actionsOf(window()), newGame);
    window()->actionInterface()->doAction("new game");
    EXPECT_EQ(game.screen(), game::Screen::Playing);
    guessAll(game, kWholeWord);
    EXPECT_EQ(actionsOf(window()), QStringList());
    QAccessibleInterface* banner = window()->child(0);
    ASSERT_EQ(banner->text(QAccessible::Name), "You Win!!!");
    EXPECT_EQ(actionsOf(banner), QStringList{QAccessibleActionInterface::pressAction()});
    EXPECT_EQ(actionsOf(window()->child(1)), QStringList()) << "the word label answers no click";
    banner->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(game.screen(), game::Screen::Closed);
    EXPECT_EQ(actionsOf(window()), QStringList());
    EXPECT_EQ(actionsOf(window()->child(0)), QStringList());
}

TEST_F(AccessibilityTest, ALongWrongGuessIsShortenedInTheSummary) {
    clickBackground();
    guess(game, std::string(1000, 'z'));
    EXPECT_EQ(description(),
              "1 wrong guess: " + std::string(40, 'z') + ".... Word: _ _ _ _ _ _ _ _ _ _ _");
}

}  // namespace
}  // namespace wordrop::testing
