// SPDX-License-Identifier: MIT
// The table of keys by screen that the browser suite plays too, on the desktop: keys sent
// as Qt delivers them, auto-repeats included, to wherever the focus is.
#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpression>

#include "KeyRows.h"
#include "Points.h"
#include "ViewFixture.h"

namespace wordrop::testing {
namespace {

QPoint pixelsOf(window::Point twips) {
    return QPointF(points::pixels(twips.x), points::pixels(twips.y)).toPoint();
}

// A window of its own for each row, as the browser opens a page of its own.
class Window {
  public:
    Window() {
        qt.view.show();
        qt.view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&qt.view));
    }

    void setUp(const QString& step) {
        if (step == "click") return click(points::kBackground);
        if (step == "banner") return click(points::kBanner);
        if (step == "strip") return click(points::kStrip);
        if (step == "ok") return QTest::mouseClick(widget("cmdOK"), Qt::LeftButton);
        ASSERT_TRUE(step.startsWith("type:")) << step.toStdString();
        widget("txtLetter")->setFocus();
        QTest::keyClicks(widget("txtLetter"), step.mid(5));
    }

    void focus(const QString& where) {
        if (where == "box") return widget("txtLetter")->setFocus();
        if (where == "button") return widget("cmdOK")->setFocus();
        if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
    }

    // A key, held for some auto-repeats, as the keyboard sends it to the focus.
    void press(const QString& name) {
        const QRegularExpressionMatch held =
            QRegularExpression(QStringLiteral("^(.*)\\+held(\\d+)$")).match(name);
        const QKeySequence sequence(held.hasMatch() ? held.captured(1) : name);
        ASSERT_EQ(sequence.count(), 1) << name.toStdString();
        const Qt::Key key = sequence[0].key();
        const Qt::KeyboardModifiers modifiers = sequence[0].keyboardModifiers();
        const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QString();
        QTest::keyPress(focused(), key, modifiers);
        for (int k = 0; k < (held.hasMatch() ? held.captured(2).toInt() : 0); ++k) {
            QKeyEvent repeat(QEvent::KeyPress, key, modifiers, text, true);
            QApplication::sendEvent(focused(), &repeat);
        }
        QTest::keyRelease(focused(), key, modifiers);
    }

    std::string summary() const { return qt.summary(); }

  private:
    QWidget* widget(std::string_view name) { return qt.view.widgetFor(*qt.game.form().find(name)); }
    QWidget* focused() {
        return QApplication::focusWidget() ? QApplication::focusWidget() : &qt.view;
    }
    void click(window::Point at) { QTest::mouseClick(&qt.view, Qt::LeftButton, {}, pixelsOf(at)); }

    QtWindow qt;
};

TEST(KeysByScreenTest, EachKeyLeavesTheScreenThePageLeaves) {
    const std::vector<KeyRow> rows = keyRows(WORDROP_KEY_TABLE);
    ASSERT_GE(rows.size(), 10u);
    for (const KeyRow& row : rows) {
        SCOPED_TRACE(::testing::Message() << "keys-by-screen.txt line " << row.line);
        Window window;
        for (const std::string& step : row.setup) window.setUp(QString::fromStdString(step));
        window.focus(QString::fromStdString(row.focus));
        for (const std::string& key : row.keys) window.press(QString::fromStdString(key));
        EXPECT_EQ(window.summary(), row.summary);
    }
}

}  // namespace
}  // namespace wordrop::testing
