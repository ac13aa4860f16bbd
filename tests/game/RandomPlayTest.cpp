// SPDX-License-Identifier: MIT
// Thousands of random clicks, presses and hostile texts, with the game's invariants
// checked after every step. A failure prints its seed and the shortest step list found.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <set>
#include <sstream>

#include "Play.h"

namespace wordrop::testing {
namespace {

using window::EventStatus;
using window::HitKind;
using window::Point;

const std::vector<std::string>& hostileTexts() {
    static const std::vector<std::string> texts{
        "",
        " ",
        "P",
        "pp",
        " p",
        "p ",
        "\t",
        "\n",
        "a\r\nb",
        std::string("\0", 1),
        std::string("p\0", 2),
        "\x01\x02\x1b[31m",
        "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d",  // Hebrew
        "e\xcc\x81",
        "\xf0\x9f\x98\x80",
        "\xed\xa0\x80",  // a lone surrogate, as bytes
        "\xff\xfe\xfd",
        "\xc3",
        "<b>x</b>",
        "&amp;",
        "&#112;",
        "%s%n",
        std::string(1 << 20, 'q'),
    };
    return texts;
}

enum class StepKind : std::uint8_t { Click, Press, Type };

struct Step {
    StepKind kind;
    Point at;
    std::string text;
};

std::string describe(const Step& step) {
    std::ostringstream out;
    switch (step.kind) {
        case StepKind::Click:
            out << "click(" << step.at.x << "," << step.at.y << ")";
            break;
        case StepKind::Press:
            out << "press";
            break;
        case StepKind::Type:
            out << "type(" << (step.text.size() > 20 ? step.text.substr(0, 20) + "..." : step.text)
                << " [" << step.text.size() << " bytes])";
            break;
    }
    return out.str();
}

std::vector<Step> randomSteps(std::uint64_t seed, std::size_t count) {
    std::mt19937_64 random(seed);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const std::string letters = "programingxz";
    std::vector<Step> steps;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t roll = pick(100);
        if (roll < 6) {
            // Clicks favour the right-edge strip now and then.
            const int x =
                pick(10) == 0 ? 10215 + static_cast<int>(pick(30)) : static_cast<int>(pick(10245));
            steps.push_back({StepKind::Click, {x, static_cast<int>(pick(8415))}, {}});
            continue;
        }
        if (roll < 88) {
            steps.push_back({StepKind::Type, {}, std::string(1, letters[pick(letters.size())])});
        } else {
            const auto& texts = hostileTexts();
            // The megabyte text is rare: it is there to be survived, not to be slow.
            std::size_t k = pick(texts.size());
            if (texts[k].size() > 1000 && pick(20) != 0) k = 0;
            steps.push_back({StepKind::Type, {}, texts[k]});
        }
        // Mostly a guess is typed and pressed; sometimes one half comes alone.
        if (pick(10) != 0) steps.push_back({StepKind::Press, {}, {}});
    }
    return steps;
}

using game::Screen;

// At most one of the screens that cover the board shows at a time.
bool oneScreenShows(const Form1& game) {
    const bool playing = visible(game, "cmdOK") && visible(game, "txtLetter");
    return visible(game, "lblEnd") + visible(game, "lblWin") + visible(game, "lblLoser") +
               playing <=
           1;
}

// Plays the steps and returns what went wrong first, if anything.
std::optional<std::string> play(const std::vector<Step>& steps, std::set<Screen>* seen = nullptr) {
    Form1 game;
    const auto cmdOK = *game.form().find("cmdOK");
    std::set<std::string> counted;  // the letters the current game has counted
    const std::set<std::string> word{"p", "r", "o", "g", "a", "m", "i", "n"};
    std::optional<Snapshot> closedAt;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        auto fail = [&](const std::string& what) {
            return "step " + std::to_string(i) + " " + describe(step) + ": " + what;
        };
        window::EventResult result;
        const window::Hit hit = game.form().hitTest(step.at);
        const bool onButton =
            step.kind == StepKind::Press || (hit.kind == HitKind::Control && hit.control == cmdOK);
        if (step.kind == StepKind::Type) {
            if (visible(game, "txtLetter")) type(game, step.text);  // only a shown box takes keys
        } else if (!onButton) {
            if (hit.kind == HitKind::Background) counted.clear();
            result = game.form().clickAt(step.at);
        } else {
            const std::string text = control(game, "txtLetter").text;
            const bool pressable = visible(game, "cmdOK");
            const int wrongBefore = game.wrongCount();
            result = step.kind == StepKind::Press ? game.form().click(cmdOK)
                                                  : game.form().clickAt(step.at);
            if (pressable && word.count(text)) counted.insert(text);
            if (pressable && !word.count(text)) {
                if (game.wrongCount() != wrongBefore + 1)
                    return fail("a wrong guess was not counted");
                if (control(game, "lblWrong", wrongBefore).caption != text) {
                    return fail("the wrong text was not listed as typed");
                }
            }
            if (pressable && !control(game, "txtLetter").text.empty())
                return fail("box not emptied");
        }
        if (result.status == EventStatus::Failed) return fail(result.error->what());
        if (game.rightCount() < 0 || game.rightCount() > 8) return fail("RightCount out of range");
        if (game.wrongCount() < 0 || game.wrongCount() > 9) return fail("WrongCount out of range");
        if (game.rightCount() != static_cast<int>(counted.size())) {
            return fail("RightCount " + std::to_string(game.rightCount()) + " but " +
                        std::to_string(counted.size()) + " distinct letters counted");
        }
        if (!oneScreenShows(game)) return fail("more than one screen shows");
        const Screen screen = game.screen();
        if (seen) seen->insert(screen);
        if (closedAt && snapshot(game.form()) != *closedAt)
            return fail("the closing screen changed");
        if (screen == Screen::Closed && !closedAt) closedAt = snapshot(game.form());
    }
    return std::nullopt;
}

// Drops steps one at a time while the failure stays, down to a short list.
std::vector<Step> shrink(std::vector<Step> steps) {
    for (std::size_t i = steps.size(); i-- > 0;) {
        std::vector<Step> shorter = steps;
        shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(i));
        if (play(shorter)) steps = std::move(shorter);
    }
    return steps;
}

TEST(RandomPlayTest, InvariantsHoldForEverySeed) {
    std::set<Screen> seen;
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        const auto steps = randomSteps(seed, 1500);
        if (const auto failure = play(steps, &seen)) {
            std::ostringstream report;
            report << "seed " << seed << ": " << *failure << "\nshortest failing steps:";
            const auto shortest = shrink(steps);
            for (const Step& step : shortest) report << "\n  " << describe(step);
            report << "\n" << play(shortest).value_or("(passes when shrunk)");
            FAIL() << report.str();
        }
    }
    // The random games reached every screen, so every screen's rules were exercised.
    EXPECT_EQ(seen.size(), 5u);
}

TEST(RandomPlayTest, TheGeneratorIsRepeatable) {
    const auto a = randomSteps(42, 100);
    const auto b = randomSteps(42, 100);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(describe(a[i]), describe(b[i]));
}

}  // namespace
}  // namespace wordrop::testing
