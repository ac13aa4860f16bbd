// SPDX-License-Identifier: MIT
// Every operation of every handler in whole games, made to fail one at a time: the
// handler stops exactly there, what it did before stays done, and play goes on from the
// state it left.
#include <gtest/gtest.h>

#include <functional>

#include "Play.h"
#include "Points.h"

namespace wordrop::testing {
namespace {

using window::ErrorKind;
using window::EventResult;
using window::EventStatus;
using window::OperationRecord;

struct State {
    Snapshot form;
    int right;
    int wrong;
    friend bool operator==(const State&, const State&) = default;
};

State stateOf(const Form1& game) {
    return {snapshot(game.form()), game.rightCount(), game.wrongCount()};
}

// One event a player causes: typing (no operation of the game's) then a click.
using Event = std::function<EventResult(Form1&)>;

Event clickBackground() {
    return [](Form1& g) { return g.form().clickAt(points::kBackground); };
}
Event press(std::string text) {
    return [text](Form1& g) {
        type(g, text);
        return g.form().click(*g.form().find("cmdOK"));
    };
}
Event clickBanner() {
    return [](Form1& g) { return g.form().clickAt(points::kBanner); };
}

std::vector<Event> lostGame() {
    std::vector<Event> events{clickBackground(), press("p")};
    for (const char* text : kNineWrong) events.push_back(press(text));
    events.push_back(clickBanner());
    return events;
}

std::vector<Event> wonGame() {
    std::vector<Event> events{clickBackground(), press("z")};
    for (const char* letter : kWholeWord) events.push_back(press(letter));
    events.push_back(clickBanner());
    return events;
}

// The operations each event performs in a clean run, and the state before each of them.
struct Reference {
    std::vector<std::vector<OperationRecord>> operations;
    std::vector<std::vector<State>> statesBefore;
};

Reference record(const std::vector<Event>& events) {
    Reference ref;
    Form1 game;
    for (const Event& event : events) {
        std::vector<State> states;
        game.form().faults().watch([&] { states.push_back(stateOf(game)); });
        game.form().faults().startRecording();
        EXPECT_EQ(event(game).status, EventStatus::Handled);
        ref.operations.push_back(game.form().faults().stopRecording());
        ref.statesBefore.push_back(std::move(states));
    }
    return ref;
}

void sweep(const std::vector<Event>& events) {
    const Reference ref = record(events);
    std::size_t failuresInjected = 0;
    for (std::size_t e = 0; e < events.size(); ++e) {
        for (std::size_t k = 1; k <= ref.operations[e].size(); ++k) {
            SCOPED_TRACE("event " + std::to_string(e) + ", operation " + std::to_string(k));
            Form1 game;
            for (std::size_t before = 0; before < e; ++before)
                ASSERT_EQ(events[before](game).status, EventStatus::Handled);

            game.form().faults().failOperation(k);
            game.form().faults().startRecording();
            const EventResult result = events[e](game);
            const auto performed = game.form().faults().stopRecording();
            ++failuresInjected;

            ASSERT_EQ(result.status, EventStatus::Failed);
            EXPECT_EQ(result.error->kind(), ErrorKind::OperationFailed);
            // It stopped at the failing operation: nothing after it ran ...
            const std::vector<OperationRecord> expected(
                ref.operations[e].begin(),
                ref.operations[e].begin() + static_cast<std::ptrdiff_t>(k));
            EXPECT_EQ(performed, expected);
            // ... and everything before it stayed done, nothing rolled back.
            EXPECT_TRUE(stateOf(game) == ref.statesBefore[e][k - 1]);

            // Play goes on from there as the rules say: the only error left to meet is a
            // tenth wrong guess that a failed loss sequence let through.
            for (std::size_t after = e + 1; after < events.size(); ++after) {
                const int wrongBefore = game.wrongCount();
                const EventResult next = events[after](game);
                if (next.status == EventStatus::Failed) {
                    EXPECT_EQ(next.error->kind(), ErrorKind::IndexOutOfRange);
                    EXPECT_EQ(wrongBefore, 9);
                }
                EXPECT_GE(game.wrongCount(), 0);
                EXPECT_LE(game.wrongCount(), 9);
                EXPECT_LE(game.rightCount(), 8);
            }
        }
    }
    EXPECT_GT(failuresInjected, 100u);
}

TEST(FaultSweepTest, LostGameAndItsClosingScreen) {
    sweep(lostGame());
}

TEST(FaultSweepTest, WonGameAndItsClosingScreen) {
    sweep(wonGame());
}

}  // namespace
}  // namespace wordrop::testing
