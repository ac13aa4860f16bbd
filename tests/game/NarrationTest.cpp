// SPDX-License-Identifier: MIT
// What a screen reader is told after each input of whole games: what a sighted player
// sees change, no more.
#include <gtest/gtest.h>

#include <functional>

#include "Play.h"
#include "Points.h"
#include "game/Narration.h"
#include "window/Utf8.h"

namespace wordrop::testing {
namespace {

struct Step {
    const char* typed;  // typed into the box first, if anything
    std::function<void(Form1&)> click;
    std::string told;
};

void play(const std::vector<Step>& steps) {
    Form1 game;
    game::Form1Narrator narrator(game);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].typed) {
            type(game, steps[i].typed);
            narrator.typed();
        }
        steps[i].click(game);
        EXPECT_EQ(narrator.clicked(), steps[i].told) << "step " << i;
    }
}

void clickAt(Form1& game, window::Point at) {
    static_cast<void>(game.form().clickAt(at));
}
const auto kBackground = [](Form1& g) { clickAt(g, points::kBackground); };
const auto kStrip = [](Form1& g) { clickAt(g, points::kStrip); };
const auto kBanner = [](Form1& g) { clickAt(g, points::kBanner); };
const auto kWrongBox = [](Form1& g) { clickAt(g, {500, 500}); };
const auto kPrompt = [](Form1& g) { clickAt(g, {6100, 2200}); };
const auto kOk = [](Form1& g) { static_cast<void>(g.form().click(*g.form().find("cmdOK"))); };
constexpr const char* kNewGame = "A new game: the word has 11 letters. Pick a letter.";

TEST(NarrationTest, AWonGame) {
    play({{nullptr, kBackground, kNewGame},
          {"g", kOk, "G appears at positions 4 and 11."},
          {"g", kOk, "Nothing new appears."},
          {"x", kOk, "\"x\" is wrong. 8 wrong guesses left."},
          {"", kOk, "An empty guess is wrong. 7 wrong guesses left."},
          {"p", kBackground, kNewGame},
          {nullptr, kBackground, ""},
          {nullptr, kPrompt, ""},
          {"p", kOk, "P appears at position 1."},
          {"r", kOk, "R appears at positions 2 and 5."},
          {"o", kOk, "O appears at position 3."},
          {"a", kOk, "A appears at position 6."},
          {"m", kOk, "M appears at positions 7 and 8."},
          {"i", kOk, "I appears at position 9."},
          {"n", kOk, "N appears at position 10."},
          {"g", kOk, "You win! The word was PROGRAMMING."},
          {nullptr, kBanner, "Please exit and try again."}});
}

TEST(NarrationTest, ALostGameAndOneStartedFromTheStrip) {
    std::vector<Step> steps{{nullptr, kBackground, kNewGame}};
    for (int k = 1; k <= 8; ++k) {
        const std::string left =
            k == 8 ? "1 wrong guess" : std::to_string(9 - k) + " wrong guesses";
        steps.push_back({"q", kOk, "\"q\" is wrong. " + left + " left."});
    }
    steps.push_back({"q", kOk, "You lose!"});
    steps.push_back({nullptr, kStrip, kNewGame});
    // The letters of this game are drawn in the colour of their background.
    steps.push_back({"p", kOk, "Nothing new appears."});
    steps.push_back({"z", kOk, "A wrong guess. 8 wrong guesses left."});
    steps.push_back({nullptr, kWrongBox, ""});  // where the lose banner was
    play(steps);
}

// A long guess is told cut at 40 bytes, or before, so as not to split a character a reader
// sees as one: a UTF-8 sequence, an emoji with its joiners or skin tone, an accent, a flag.
TEST(NarrationTest, ALongGuessIsCutBetweenCharacters) {
    const std::string a30(30, 'a');
    const struct {
        std::string typed;
        std::string told;
    } rows[] = {
        {std::string(41, 'a'), std::string(40, 'a')},
        {std::string(39, 'a') + "\u00e9b", std::string(39, 'a')},
        {a30 + "123456\U0001F468\u200D\U0001F469\u200D\U0001F467b", a30 + "123456"},
        {a30 + "1234\U0001F44D\U0001F3FDbb", a30 + "1234"},
        {a30 + "12345678e\u0301x", a30 + "12345678"},
        {a30 + "123456\U0001F1EB\U0001F1F7", a30 + "123456"},
        {a30 + "12\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA", a30 + "12\U0001F1EB\U0001F1F7"},
    };
    for (const auto& row : rows) {
        Form1 game;
        game::Form1Narrator narrator(game);
        game.Form_Click();
        static_cast<void>(narrator.clicked());
        type(game, row.typed);
        narrator.typed();
        static_cast<void>(game.cmdOK_Click());
        EXPECT_EQ(narrator.clicked(), "\"" + row.told + "...\" is wrong. 8 wrong guesses left.")
            << row.typed;
    }
}

}  // namespace
}  // namespace wordrop::testing
