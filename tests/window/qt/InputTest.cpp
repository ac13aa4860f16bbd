// SPDX-License-Identifier: MIT
// Clicks and keys reaching the game through the view.
#include "ViewFixture.h"

#include <QAccessible>
#include <QApplication>

namespace wordrop::testing {
namespace {

class InputTest : public ViewTest {
  protected:
    void SetUp() override {
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }
    void pressAltO() { QTest::keyClick(&view, Qt::Key_O, Qt::AltModifier); }
};

TEST_F(InputTest, ClickOnTheBackgroundStartsAGame) {
    clickBackground();
    EXPECT_TRUE(visible(game, "cmdOK"));
    EXPECT_TRUE(button()->isVisible());
    EXPECT_TRUE(textBox()->isVisible());
}

TEST_F(InputTest, ClickOnAWrongLetterBoxDoesNothing) {
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_FALSE(visible(game, "cmdOK"));
}

TEST_F(InputTest, ClickOnTheButtonJudgesTheTypedText) {
    clickBackground();
    QTest::keyClicks(textBox(), "p");
    EXPECT_EQ(control(game, "txtLetter").text, "p");
    QTest::mouseClick(button(), Qt::LeftButton);
    EXPECT_EQ(game.rightCount(), 1);
    EXPECT_EQ(textBox()->text(), "");
}

TEST_F(InputTest, ClickInTheTextBoxIsNoClickOnTheWindow) {
    clickBackground();
    guess(game, "x");
    QTest::mouseClick(textBox(), Qt::LeftButton);
    EXPECT_EQ(game.wrongCount(), 1);
}

TEST_F(InputTest, AltOPressesTheButtonOnlyWhileItShows) {
    type(game, "x");
    pressAltO();
    QTest::qWait(300);
    EXPECT_EQ(control(game, "lblWrong", 0).caption, "");

    clickBackground();
    type(game, "x");
    pressAltO();
    EXPECT_TRUE(waitFor([&] { return game.wrongCount() == 1; }));
    EXPECT_EQ(control(game, "lblWrong", 0).caption, "x");
}

// A click is a press and a release on one target: Ok! pressed and let go over the
// background is neither a guess nor a new game.
TEST_F(InputTest, APressOnTheButtonLetGoElsewhereClicksNothing) {
    clickBackground();
    guess(game, "x");
    type(game, "p");
    QTest::mousePress(button(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(button(), Qt::LeftButton, {}, button()->mapFrom(&view, QPoint(300, 400)));
    EXPECT_EQ(game.wrongCount(), 1);
    EXPECT_EQ(game.rightCount(), 0);
    EXPECT_FALSE(button()->isDown());
}

TEST_F(InputTest, EnterInTheTextBoxPressesTheButton) {
    clickBackground();
    textBox()->setFocus();
    QTest::keyClicks(textBox(), "r");
    QTest::keyClick(textBox(), Qt::Key_Return);
    EXPECT_EQ(game.rightCount(), 1);
    EXPECT_TRUE(visible(game, "lblR", 1));
}

TEST_F(InputTest, TabMovesBetweenTheButtonAndTheTextBoxOnly) {
    clickBackground();
    button()->setFocus();
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == button(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), textBox());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), button());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), textBox());
}

// Keys alone, as the keyboard sends them to the focus: a letter with no widget focused goes
// into the box; where a guess hides the box, the focus goes to the banner, which a screen
// reader hears of and Enter presses.
TEST_F(InputTest, KeysAlonePlayAGameToItsClosingScreen) {
    for (const auto& guesses : {kWholeWord, kNineWrong}) {
        QtWindow played;
        played.view.show();
        played.view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&played.view));
        const auto focused = [&] {
            return QApplication::focusWidget() ? QApplication::focusWidget() : &played.view;
        };
        QTest::keyClick(focused(), Qt::Key_F2);
        for (const char* letter : guesses) {
            QTest::keyClicks(focused(), letter);
            QTest::keyClick(focused(), Qt::Key_Return);
        }
        const auto banner = played.midend.focus();
        ASSERT_TRUE(banner.has_value());
        EXPECT_EQ(window::displayName(played.game.form().state(*banner)),
                  played.game.screen() == game::Screen::Won ? "lblWin" : "lblLoser");
        EXPECT_EQ(focused(), &played.view);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&played.view);
        QAccessibleInterface* first = accessible->child(0);
        EXPECT_TRUE(first->state().focused) << first->text(QAccessible::Name).toStdString();
        QTest::keyClick(focused(), Qt::Key_Return);
        EXPECT_EQ(played.game.screen(), game::Screen::Closed);
    }
}

TEST_F(InputTest, TheTextBoxTakesAnyLengthUnchanged) {
    clickBackground();
    const QString text = QString(40000, QChar('a')) + QStringLiteral(" P\u00e9\U0001F600");
    textBox()->setText(text);
    EXPECT_EQ(control(game, "txtLetter").text, text.toStdString());
}

// Whatever the box holds reaches the game as UTF-8 and is listed exactly as it arrived.
TEST_F(InputTest, HostileTextThroughTheViewIsListedAsItArrived) {
    clickBackground();
    const std::vector<QString> texts{
        QString(QChar(0xD800)),                    // a lone surrogate
        QStringLiteral("a") + QChar(QChar::Null),  // NUL
        QStringLiteral("\u202Ep\u202C"),           // right-to-left override around p
        QStringLiteral("<b>p</b>&amp;"),
        QString::fromUtf8("\xff\xfe"),  // invalid UTF-8, decoded by Qt
    };
    for (std::size_t k = 0; k < texts.size(); ++k) {
        textBox()->setText(texts[k]);
        const std::string arrived = control(game, "txtLetter").text;
        QTest::mouseClick(button(), Qt::LeftButton);
        EXPECT_EQ(control(game, "lblWrong", static_cast<int>(k)).caption, arrived);
    }
    EXPECT_EQ(game.wrongCount(), static_cast<int>(texts.size()));
    EXPECT_TRUE(errors.empty());
    static_cast<void>(grab());  // and all of it paints
}

TEST_F(InputTest, ARunTimeErrorIsReportedAndTheWindowKeepsGoing) {
    clickBackground();
    type(game, "x");
    failNext(game.form(), window::OperationKind::Caption, "lblWrong", 0);
    QTest::mouseClick(button(), Qt::LeftButton);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("Caption"), std::string::npos) << errors[0];
    EXPECT_EQ(textBox()->text(), "x");  // the press stopped before emptying it
    QTest::mouseClick(button(), Qt::LeftButton);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(control(game, "lblWrong", 0).caption, "x");
    EXPECT_EQ(game.wrongCount(), 1);
}

}  // namespace
}  // namespace wordrop::testing
