// SPDX-License-Identifier: MIT
// The scene both views draw and read, from Form1's screens: pixels worked out by hand from
// the layout's twips (15 to the pixel), at scale 1 and 2.
#include <gtest/gtest.h>

#include "EvenFaces.h"
#include "Play.h"
#include "Points.h"
#include "window/Clicks.h"
#include "window/SceneBuilder.h"

namespace wordrop::testing {
namespace {

using window::ControlId;
using window::FilledRect;
using window::PointF;
using window::ReadRole;
using window::RectF;
using window::Scene;
using window::StrokedCircle;
using window::StrokedLine;
using window::TextRun;

class SceneTest : public ::testing::Test {
  protected:
    Scene scene(double scale = 1) {
        return window::SceneBuilder(game.form(), measure).build(scale);
    }
    ControlId id(std::string_view name, int index = -1) { return *game.form().find(name, index); }

    // The items of a control, in paint order, and where the first of them stands.
    template <typename Paint>
    std::vector<Paint> itemsOf(const Scene& s, std::optional<ControlId> control) {
        std::vector<Paint> found;
        for (const window::SceneItem& item : s.items) {
            if (item.control != control) continue;
            if (const auto* paint = std::get_if<Paint>(&item.paint)) found.push_back(*paint);
        }
        return found;
    }
    std::size_t placeOf(const Scene& s, ControlId control) {
        for (std::size_t i = 0; i < s.items.size(); ++i) {
            if (s.items[i].control == control) return i;
        }
        return s.items.size();
    }
    std::vector<std::string> reading(const Scene& s) {
        std::vector<std::string> texts;
        for (const window::Readable& item : s.reading) texts.push_back(item.text);
        return texts;
    }

    EvenFaces measure;
    Form1 game;
};

TEST_F(SceneTest, PlayingScreenInDevicePixels) {
    game.Form_Click();
    guess(game, "x");
    for (const double s : {1.0, 2.0}) {
        SCOPED_TRACE(s);
        const Scene playing = scene(s);
        EXPECT_EQ(playing.width, 683 * s);
        EXPECT_EQ(playing.height, 561 * s);
        const auto* back = std::get_if<FilledRect>(&playing.items.front().paint);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->box, (RectF{0, 0, 683 * s, 561 * s}));
        EXPECT_EQ(back->colour, (window::Rgb{141, 31, 255}));
        // Line1 runs from (5040, 7320) to (5400, 7320): a pen a pixel wide on the middle of
        // the pixels it fills.
        const auto blank = itemsOf<StrokedLine>(playing, id("Line1"));
        ASSERT_EQ(blank.size(), 1u);
        EXPECT_EQ(blank[0].from, (PointF{336.5 * s, 488.5 * s}));
        EXPECT_EQ(blank[0].to, (PointF{360.5 * s, 488.5 * s}));
        EXPECT_EQ(blank[0].width, s);
        // The rope's top link, 135 twips square at (3000, 240), has its corners rounded a
        // quarter of its side.
        const auto link = itemsOf<FilledRect>(playing, id("shp4"));
        ASSERT_EQ(link.size(), 1u);
        EXPECT_EQ(link[0].box, (RectF{200 * s, 16 * s, 9 * s, 9 * s}));
        EXPECT_EQ(link[0].radius, 2.25 * s);
        // The head, radius 600 at (3000, 1600), drawn on the form under every control.
        const auto head = itemsOf<StrokedCircle>(playing, std::nullopt);
        ASSERT_EQ(head.size(), 1u);
        EXPECT_EQ(head[0].centre, (PointF{200.5 * s, (points::pixels(1600) + 0.5) * s}));
        EXPECT_EQ(head[0].radius, 40 * s);
        EXPECT_FALSE(head[0].fill);
        EXPECT_LT(placeOf(playing, id("shp1")), placeOf(playing, id("lblPick")))
            << "controls are painted back to front";
    }
}

// Captions break in logical pixels, so a scene at scale 2 is the one at scale 1 doubled.
TEST_F(SceneTest, TextRunsAtTwiceTheScaleAreTwiceAsFar) {
    game.Form_Click();
    guessAll(game, kWholeWord);
    const auto one = itemsOf<TextRun>(scene(1), id("lblWin"));
    const auto two = itemsOf<TextRun>(scene(2), id("lblWin"));
    ASSERT_EQ(one.size(), 1u) << "the banner's lines of padding alone draw nothing";
    ASSERT_EQ(two.size(), 1u);
    EXPECT_TRUE(one[0].text.ends_with(" You Win!!!")) << one[0].text;
    EXPECT_EQ(two[0].text, one[0].text);
    EXPECT_EQ(two[0].baseline, (PointF{2 * one[0].baseline.x, 2 * one[0].baseline.y}));
    EXPECT_EQ(two[0].font.pixelSize, 2 * one[0].font.pixelSize);
    EXPECT_EQ(one[0].font.family, "Liberation Serif");
    EXPECT_EQ(one[0].clip, (RectF{0, 0, 689, 561}));
}

// The board's regions in turn: the prompts, the box and Ok!, the word with the places of
// its letters, the wrong guesses as one list.
TEST_F(SceneTest, ReadingOrderFollowsTheBoardsRegions) {
    game.Form_Click();
    guessAll(game, {"g", "ab cd", "r", "x"});
    // "ab cd" is wider than its 25-pixel box and wraps, yet is read whole.
    EXPECT_EQ(reading(scene()), (std::vector<std::string>{
                                    "Are you ready to play", "Wordrop??", "Pick a letter",
                                    "Pick a letter", "Ok!", "R, position 2", "G, position 4",
                                    "R, position 5", "G, position 11", "Wrong guesses: ab cd, x"}));
    const Scene s = scene(2);
    EXPECT_EQ(s.reading[3].role, ReadRole::Widget);
    EXPECT_EQ(s.reading[3].control, id("txtLetter"));
    // The list stands over both boxes it reads, from the first.
    EXPECT_EQ(s.reading.back().control, id("lblWrong", 0));
    EXPECT_EQ(s.reading.back().role, ReadRole::Text);
    EXPECT_EQ(s.reading.back().box, (RectF{32, 16, 50, 162}));
    ASSERT_EQ(s.widgets.size(), 2u);
    EXPECT_EQ(s.widgets[0].control, id("cmdOK")) << "the tab order starts at Ok!";
    EXPECT_EQ(s.widgets[0].caption, "Ok!");
    EXPECT_EQ(s.widgets[0].accessKey, 0u);
    EXPECT_EQ(s.widgets[0].shortcut, "Alt+O");
    EXPECT_EQ(s.widgets[1].name, "Pick a letter");

    // A new game over the old board: its own wrong guess fills the first box, and the game
    // before's that still show are read apart.
    game.Form_Click();
    guessAll(game, {"q"});
    const std::vector<std::string> after = reading(scene());
    EXPECT_EQ(
        std::vector<std::string>(after.end() - 2, after.end()),
        (std::vector<std::string>{"Wrong guesses: q", "Still shown from the game before: x"}));
}

// Only what a sighted player can see is read, and the items say what they hide.
TEST_F(SceneTest, WhatIsCoveredOrInItsBackgroundColourIsNotSeen) {
    game.Form_Click();
    guessAll(game, {"p", "r", "o", "g", "a", "m", "i"});
    guess(game, "n");
    const Scene won = scene();
    EXPECT_EQ(reading(won), (std::vector<std::string>{"You Win!!!", "The Word was: PROGRAMMING"}));
    EXPECT_EQ(won.reading[0].role, ReadRole::Pressable);
    EXPECT_EQ(won.reading[1].role, ReadRole::Text) << "the word label answers no click";
    for (const window::SceneItem& item : won.items) {
        if (item.control == id("lblP") || item.control == std::nullopt) {
            EXPECT_FALSE(item.seen);
        } else if (item.control == id("lblProgram")) {
            EXPECT_TRUE(item.seen);
        }
    }

    Form1 lost;
    lost.Form_Click();
    guessAll(lost, kNineWrong);
    static_cast<void>(lost.form().clickAt(points::kStrip));
    guessAll(lost, {"p", "z"});
    const Scene again = window::SceneBuilder(lost.form(), measure).build(1);
    for (const window::SceneItem& item : again.items) {
        if (item.control == lost.form().find("lblWrong", 0) &&
            std::holds_alternative<TextRun>(item.paint)) {
            EXPECT_FALSE(item.seen) << "violet on violet";
        }
    }
    EXPECT_EQ(reading(again), (std::vector<std::string>{"Are you ready to play", "Wordrop??",
                                                        "Pick a letter", "Pick a letter", "Ok!"}));
}

TEST(AccessKeyTest, AmpersandMarksTheKeyAndTwoShowOne) {
    const struct {
        const char* caption;
        const char* shown;
        std::optional<std::size_t> key;
    } rows[] = {{"&Ok!", "Ok!", 0},
                {"A&&B", "A&B", std::nullopt},
                {"x&", "x&", std::nullopt},
                {"&&&Go", "&Go", 1},
                {"", "", std::nullopt}};
    for (const auto& row : rows) {
        const window::AccessKeyCaption parsed = window::parseAccessKey(row.caption);
        EXPECT_EQ(parsed.shown, row.shown) << row.caption;
        EXPECT_EQ(parsed.key, row.key) << row.caption;
    }
}

// A click is a press and a release on the same target, and the toolkit's own widgets
// click themselves.
TEST(ClickTrackerTest, OnlyAPressAndAReleaseOnOneTargetClick) {
    Form1 game;
    game.Form_Click();
    window::ClickTracker clicks(game.form());
    const auto pixels = [](window::Point twips) {
        return PointF{points::pixels(twips.x), points::pixels(twips.y)};
    };
    const PointF background = pixels(points::kBackground);
    const PointF button = pixels(centreOf(game.form(), "cmdOK"));
    const PointF label{25, 25};  // a wrong-letter box

    clicks.press(background);
    EXPECT_TRUE(clicks.release(background).has_value());
    EXPECT_FALSE(clicks.release(background).has_value()) << "a release without its press";
    clicks.press(button);
    EXPECT_FALSE(clicks.release(background).has_value()) << "pressed on Ok!, let go elsewhere";
    clicks.press(button);
    EXPECT_FALSE(clicks.release(button).has_value()) << "the button clicks itself";
    clicks.press(background);
    clicks.forget();
    EXPECT_FALSE(clicks.release(background).has_value()) << "a press whose release was lost";
    clicks.press(background);
    clicks.press(label);
    EXPECT_FALSE(clicks.release(background).has_value()) << "only the last press counts";
    clicks.press({600, 266}, 2);  // half way across at scale 2
    EXPECT_EQ(clicks.release({600, 266}, 2), (window::Point{4500, 1995}));
}

}  // namespace
}  // namespace wordrop::testing
