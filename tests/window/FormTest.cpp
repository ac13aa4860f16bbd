// SPDX-License-Identifier: MIT
// The form runtime on its own: click routing, the drawing surface, run-time errors and
// the fault-injection seam.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game/Form1Layout.h"
#include "window/Counter.h"
#include "window/Form.h"

namespace wordrop::window {
namespace {

using enum ControlKind;

// A small form: a button over a label that answers clicks, a label that does not, a
// hidden label, a shape and a line, all overlapping in places.
constexpr std::array kLayout{
    ControlDesign{.kind = CommandButton, .name = "cmdGo", .bounds = {100, 100, 200, 100}},
    ControlDesign{.kind = TextBox, .name = "txtIn", .bounds = {100, 300, 200, 100}},
    ControlDesign{
        .kind = Label, .name = "lblHidden", .bounds = {1000, 0, 500, 500}, .visible = false},
    ControlDesign{.kind = Label, .name = "lblActive", .bounds = {0, 0, 400, 250}},
    ControlDesign{.kind = Label, .name = "lblMute", .bounds = {500, 0, 300, 300}},
    ControlDesign{.kind = Shape, .name = "shpBox", .bounds = {1000, 100, 300, 300}},
    ControlDesign{.kind = Line,
                  .name = "Line1",
                  .bounds = {0, 800, 2000, 15},
                  .ends = {{0, 800}, {2000, 800}}},
    ControlDesign{.kind = Label, .name = "lblList", .index = 0, .bounds = {3000, 0, 100, 100}},
    ControlDesign{.kind = Label, .name = "lblList", .index = 1, .bounds = {3000, 200, 100, 100}},
};
constexpr FormDesign kDesign{"Test", {4000, 1000}};

class RoutingTest : public ::testing::Test {
  protected:
    RoutingTest() {
        form.onBackgroundClick([this] { clicks.push_back("Form"); });
        form.onClick(*form.find("cmdGo"), [this] { clicks.push_back("cmdGo"); });
        form.onClick(*form.find("lblActive"), [this] { clicks.push_back("lblActive"); });
    }
    std::vector<std::string> clickAt(Point p) {
        clicks.clear();
        const EventResult result = form.clickAt(p);
        EXPECT_NE(result.status, EventStatus::Failed);
        return clicks;
    }

    Form form{kDesign, kLayout};
    std::vector<std::string> clicks;
};

using Clicks = std::vector<std::string>;

TEST_F(RoutingTest, ButtonInFrontOfLabelTakesTheClick) {
    EXPECT_EQ(clickAt({150, 150}), Clicks{"cmdGo"});
    EXPECT_EQ(clickAt({50, 50}), Clicks{"lblActive"});
}

TEST_F(RoutingTest, LabelWithoutHandlerSwallowsTheClick) {
    EXPECT_EQ(clickAt({600, 100}), Clicks{});
    EXPECT_EQ(clickAt({150, 350}), Clicks{});  // the text box has no handler either
}

TEST_F(RoutingTest, ShapesLinesAndEmptySpaceAreTheBackground) {
    EXPECT_EQ(clickAt({1100, 450}), Clicks{"Form"});  // shape, below the hidden label
    EXPECT_EQ(clickAt({500, 805}), Clicks{"Form"});   // on the line
    EXPECT_EQ(clickAt({2500, 500}), Clicks{"Form"});
}

TEST_F(RoutingTest, HiddenControlDoesNotBlock) {
    EXPECT_EQ(clickAt({1100, 50}), Clicks{"Form"});
    form.setVisible(*form.find("cmdGo"), false);
    EXPECT_EQ(clickAt({150, 150}), Clicks{"lblActive"});
    form.setVisible(*form.find("lblActive"), false);
    EXPECT_EQ(clickAt({150, 150}), Clicks{"Form"});
}

TEST_F(RoutingTest, EdgesBelongToTheControlOnlyInside) {
    EXPECT_EQ(clickAt({399, 249}), Clicks{"lblActive"});
    EXPECT_EQ(clickAt({400, 100}), Clicks{"Form"});
}

TEST_F(RoutingTest, OutsideTheClientAreaNothingRuns) {
    EXPECT_EQ(clickAt({4000, 10}), Clicks{});
    EXPECT_EQ(clickAt({-1, 10}), Clicks{});
    EXPECT_EQ(form.hitTest({10, 1000}).kind, HitKind::Outside);
}

TEST_F(RoutingTest, KeyboardClickReachesOnlyAVisibleControl) {
    const ControlId go = *form.find("cmdGo");
    EXPECT_EQ(form.click(go).status, EventStatus::Handled);
    form.setVisible(go, false);
    EXPECT_EQ(form.click(go).status, EventStatus::Ignored);
}

TEST_F(RoutingTest, HandlerErrorIsReturnedNotThrown) {
    form.onBackgroundClick([] { throw RuntimeError(ErrorKind::OperationFailed, "boom"); });
    const EventResult result = form.clickAt({2500, 500});
    EXPECT_EQ(result.status, EventStatus::Failed);
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->kind(), ErrorKind::OperationFailed);
    EXPECT_NE(std::string(result.error->what()).find("boom"), std::string::npos);
}

TEST(DrawingSurfaceTest, BackColorErasesLikeCls) {
    Form form{kDesign, kLayout};
    form.Circle({500, 500}, 100, Black);
    form.Line({0, 0}, {100, 100}, Black);
    ASSERT_EQ(form.drawing().primitives.size(), 2u);
    form.BackColor(Violet);
    EXPECT_TRUE(form.drawing().primitives.empty());
    EXPECT_EQ(form.backColour(), Violet);

    form.Line({0, 0}, {100, 100}, Black);
    form.Cls();
    EXPECT_TRUE(form.drawing().primitives.empty());
    EXPECT_EQ(form.backColour(), Violet);  // Cls keeps the colour
}

TEST(DrawingSurfaceTest, CirclesTakeTheFillStyleOfTheMoment) {
    Form form{kDesign, kLayout};
    form.FillStyle(FillMode::Solid);
    form.Circle({500, 500}, 100, Black);
    form.FillStyle(FillMode::Transparent);
    form.Circle({500, 500}, 50, Black);
    const auto& p = form.drawing().primitives;
    EXPECT_EQ(std::get<CircleShape>(p[0]).fill, FillMode::Solid);
    EXPECT_EQ(std::get<CircleShape>(p[1]).fill, FillMode::Transparent);
}

class RecordingObserver : public FormObserver {
  public:
    void repaintNeeded(Rect area) override { areas.push_back(area); }
    void controlChanged(ControlId id) override { changed.push_back(id); }
    std::vector<Rect> areas;
    std::vector<ControlId> changed;
};

TEST(ObserverTest, RepaintsOnlyWhatChanges) {
    Form form{kDesign, kLayout};
    RecordingObserver observer;
    form.setObserver(&observer);
    const ControlId mute = *form.find("lblMute");
    form.setVisible(mute, true);  // already visible: nothing to paint
    form.setForeColor(mute, Colour::system(SystemColour::ButtonText));
    EXPECT_TRUE(observer.areas.empty());
    form.setBackColor(mute, Violet);
    ASSERT_EQ(observer.areas.size(), 1u);
    EXPECT_EQ(observer.areas[0], (Rect{500, 0, 300, 300}));
    form.Line({10, 10}, {10, 100}, Black);
    EXPECT_EQ(observer.areas.back(), (Rect{10, 10, 1, 91}));
    form.setCaption(*form.find("lblHidden"), "x");  // hidden: nothing shows
    EXPECT_EQ(observer.areas.size(), 2u);
}

TEST(RuntimeErrorTest, ControlArrayIndexOutsideRaisesIndexError) {
    Form form{game::form1Design(), game::form1Layout()};
    const ControlArray wrong = form.array("lblWrong");
    EXPECT_NO_THROW(static_cast<void>(wrong(8)));
    for (int index : {9, -1, 32767}) {
        try {
            static_cast<void>(wrong(index));
            ADD_FAILURE() << "lblWrong(" << index << ") did not fail";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.kind(), ErrorKind::IndexOutOfRange);
        }
    }
    try {
        static_cast<void>(form.array("lblR")(2));
        ADD_FAILURE() << "lblR(2) did not fail";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::IndexOutOfRange);
        EXPECT_NE(std::string(e.what()).find("lblR(2)"), std::string::npos);
    }
}

TEST(RuntimeErrorTest, UnknownNamesAndWrongKindsFail) {
    Form form{kDesign, kLayout};
    EXPECT_THROW(form.control("lblNowhere"), RuntimeError);
    EXPECT_THROW(form.array("lblMute"), RuntimeError);
    EXPECT_THROW(form.control("lblList"), RuntimeError);  // an array needs its Index
    EXPECT_THROW(form.setCaption(*form.find("txtIn"), "x"), RuntimeError);
    EXPECT_THROW(form.setForeColor(*form.find("shpBox"), Black), RuntimeError);
    EXPECT_THROW(static_cast<void>(form.readText(*form.find("lblMute"))), RuntimeError);
}

TEST(CounterTest, IncrementIsCheckedAt32767) {
    Counter counter{32766};
    counter.increment();
    EXPECT_EQ(counter, 32767);
    try {
        counter.increment();
        ADD_FAILURE() << "32767 + 1 did not fail";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Overflow);
    }
    EXPECT_EQ(counter, 32767);
}

TEST(FaultInjectionTest, TheChosenOperationFailsAndTheOnesBeforeStayDone) {
    Form form{kDesign, kLayout};
    const ControlId mute = *form.find("lblMute");
    form.faults().failNext({OperationKind::Visible, static_cast<std::uint16_t>(mute)});
    form.setBackColor(mute, Violet);
    form.setForeColor(mute, Violet);
    EXPECT_THROW(form.setVisible(mute, false), RuntimeError);
    EXPECT_TRUE(form.state(mute).visible);
    EXPECT_EQ(form.state(mute).back, Violet);
    EXPECT_EQ(form.state(mute).fore, Violet);
    form.setVisible(mute, false);  // one failure only
    EXPECT_FALSE(form.state(mute).visible);
}

TEST(FaultInjectionTest, RecordsEveryOperationInOrder) {
    Form form{kDesign, kLayout};
    form.faults().startRecording();
    form.Cls();
    form.setVisible(*form.find("lblMute"), false);
    static_cast<void>(form.readText(*form.find("txtIn")));
    const auto ops = form.faults().stopRecording();
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].kind, OperationKind::Cls);
    EXPECT_FALSE(ops[0].control.has_value());
    EXPECT_EQ(ops[1].kind, OperationKind::Visible);
    EXPECT_EQ(ops[2].kind, OperationKind::TextRead);
}

TEST(TextBoxTest, TextIsKeptExactlyAsTyped) {
    Form form{kDesign, kLayout};
    const ControlId box = *form.find("txtIn");
    const std::string hostile{" P\t\n\0<b>&amp;\xff", 14};
    form.typeInto(box, hostile);
    EXPECT_EQ(form.readText(box), hostile);
    form.writeText(box, "");
    EXPECT_EQ(form.readText(box), "");
}

}  // namespace
}  // namespace wordrop::window
