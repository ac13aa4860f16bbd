// SPDX-License-Identifier: MIT
// The table of keys by screen that the browser suite plays too, on the desktop: keys sent
// as Qt delivers them, auto-repeats included, to wherever the focus is.
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QRegularExpression>

#include "ViewFixture.h"
#include "game/BoardSummary.h"

namespace wordrop::testing {
namespace {

struct KeyRow {
    int line;
    QStringList setup;
    QString focus;
    QStringList keys;
    std::string summary;
};

std::vector<KeyRow> keyRows() {
    QFile file(QStringLiteral(WORDROP_KEY_TABLE));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << WORDROP_KEY_TABLE;
    std::vector<KeyRow> rows;
    int line = 0;
    while (!file.atEnd()) {
        const QString text = QString::fromUtf8(file.readLine()).trimmed();
        ++line;
        if (text.isEmpty() || text.startsWith('#')) continue;
        const QStringList cells = text.split(QLatin1Char('|'));
        EXPECT_EQ(cells.size(), 4) << "line " << line;
        if (cells.size() != 4) continue;
        QStringList setup = cells[0].split(' ', Qt::SkipEmptyParts);
        setup.removeAll(QStringLiteral("-"));
        rows.push_back({line, setup, cells[1].trimmed(), cells[2].split(' ', Qt::SkipEmptyParts),
                        cells[3].trimmed().toStdString()});
    }
    return rows;
}

// A window of its own for each row, as the browser opens a page of its own.
class Window {
  public:
    Window() {
        view.setSummary([this] { return game::summarize(game); });
        view.show();
        view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    void setUp(const QString& step) {
        if (step == "click") return click(QPoint(300, 400));
        if (step == "banner") return click(QPoint(200, 200));
        if (step == "strip") return click(QPoint(682, 266));
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

    std::string summary() const { return view.summary(); }

  private:
    QWidget* widget(std::string_view name) { return view.widgetFor(*game.form().find(name)); }
    QWidget* focused() { return QApplication::focusWidget() ? QApplication::focusWidget() : &view; }
    void click(QPoint at) { QTest::mouseClick(&view, Qt::LeftButton, {}, at); }

    Form1 game;
    window::qt::FormView view{game.form()};
};

TEST(KeysByScreenTest, EachKeyLeavesTheScreenThePageLeaves) {
    const std::vector<KeyRow> rows = keyRows();
    ASSERT_GE(rows.size(), 10u);
    for (const KeyRow& row : rows) {
        SCOPED_TRACE(::testing::Message() << "keys-by-screen.txt line " << row.line);
        Window window;
        for (const QString& step : row.setup) window.setUp(step);
        window.focus(row.focus);
        for (const QString& key : row.keys) window.press(key);
        EXPECT_EQ(window.summary(), row.summary);
    }
}

}  // namespace
}  // namespace wordrop::testing
