// SPDX-License-Identifier: MIT
// Every key on every screen does what a click on that screen could do, and nothing more.
#include <gtest/gtest.h>

#include <optional>

#include "Play.h"
#include "Points.h"

namespace wordrop::testing {
namespace {

using game::Screen;
using window::KeyClick;
using window::Point;

// A game brought to a screen by play, with a guess typed and waiting in the box where
// there is one, so that a key that wrongly pressed the button would show.
void reach(Form1& game, Screen screen) {
    if (screen == Screen::Start) return;
    game.Form_Click();
    if (screen == Screen::Won || screen == Screen::Closed) guessAll(game, kWholeWord);
    if (screen == Screen::Lost) guessAll(game, kNineWrong);
    if (screen == Screen::Closed) game.lblWin_Click();
    if (screen == Screen::Playing) guessAll(game, {"p", "x"});
    type(game, "r");
}

struct Row {
    Screen screen;
    KeyClick key;
    std::optional<Point> click;  // where a mouse makes the same click, if it can
    Screen after;
};

using points::kBackground;
using points::kBanner;
using points::kStrip;

// F2 and Ctrl+N click the background; Return and Space click a banner.
const Row kTable[] = {
    {Screen::Start, KeyClick::Background, kBackground, Screen::Playing},
    {Screen::Start, KeyClick::Label, std::nullopt, Screen::Start},
    {Screen::Playing, KeyClick::Background, kBackground, Screen::Playing},
    {Screen::Playing, KeyClick::Label, std::nullopt, Screen::Playing},
    {Screen::Won, KeyClick::Background, std::nullopt, Screen::Won},
    {Screen::Won, KeyClick::Label, kBanner, Screen::Closed},
    {Screen::Lost, KeyClick::Background, kStrip, Screen::Playing},
    {Screen::Lost, KeyClick::Label, kBanner, Screen::Closed},
    {Screen::Closed, KeyClick::Background, std::nullopt, Screen::Closed},
    {Screen::Closed, KeyClick::Label, std::nullopt, Screen::Closed},
};

TEST(KeysTest, EachKeyDoesWhatTheSameClickDoes) {
    for (const Row& row : kTable) {
        SCOPED_TRACE(::testing::Message()
                     << "screen " << int(row.screen) << ", key " << int(row.key));
        Form1 keyed;
        Form1 clicked;
        reach(keyed, row.screen);
        reach(clicked, row.screen);
        const Snapshot before = snapshot(keyed.form());
        const window::EventResult result = keyed.form().clickFor(row.key);
        EXPECT_EQ(result.status,
                  row.click ? window::EventStatus::Handled : window::EventStatus::Ignored);
        if (row.click) static_cast<void>(clicked.form().clickAt(*row.click));
        EXPECT_EQ(keyed.screen(), row.after);
        EXPECT_TRUE(snapshot(keyed.form()) == snapshot(clicked.form()));
        EXPECT_EQ(keyed.wrongCount(), clicked.wrongCount());
        EXPECT_EQ(keyed.rightCount(), clicked.rightCount());
        if (!row.click) {
            EXPECT_TRUE(snapshot(keyed.form()) == before) << "the key did something";
        }
    }
}

}  // namespace
}  // namespace wordrop::testing
