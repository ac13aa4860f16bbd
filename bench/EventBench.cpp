// SPDX-License-Identifier: MIT
// Every event to its pixels: each handler alone, and with the repaint it causes, on Qt's
// offscreen platform; with the area each event repaints against the area it changes.
// Run at QT_SCALE_FACTOR=1 and 2 by bench/run.sh.
#include <benchmark/benchmark.h>

#include <valgrind/callgrind.h>
#include <QApplication>
#include <functional>
#include <memory>
#include <string>

#include "PaintMeter.h"
#include "Play.h"
#include "QtWindow.h"
#include "game/Form1.h"

namespace {

using wordrop::game::Form1;
using wordrop::testing::QtWindow;
using wordrop::window::qt::FormView;
namespace window = wordrop::window;

// Lets a new view finish showing: its first paint, and the widgets it prepares after it.
void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

using wordrop::testing::guessAll;
using wordrop::testing::type;

struct Scenario {
    const char* name;
    std::function<void(Form1&)> setUp;  // brings a new game to the moment before the event
    std::function<void(Form1&)> event;
};

const std::string kMegabyte(1 << 20, 'w');

const std::vector<Scenario> kScenarios{
    {"FirstClick", [](Form1&) {}, [](Form1& g) { g.Form_Click(); }},
    {"CorrectLetter",
     [](Form1& g) {
         g.Form_Click();
         type(g, "p");
     },
     [](Form1& g) { g.cmdOK_Click(); }},
    {"WrongLetter",
     [](Form1& g) {
         g.Form_Click();
         type(g, "x");
     },
     [](Form1& g) { g.cmdOK_Click(); }},
    {"WinningPress",
     [](Form1& g) {
         g.Form_Click();
         guessAll(g, {"p", "r", "o", "g", "a", "m", "i"});
         type(g, "n");
     },
     [](Form1& g) { g.cmdOK_Click(); }},
    {"LosingPress",
     [](Form1& g) {
         g.Form_Click();
         guessAll(g, {"b", "c", "d", "e", "f", "h", "j", "k"});
         type(g, "l");
     },
     [](Form1& g) { g.cmdOK_Click(); }},
    {"WinBannerClick",
     [](Form1& g) {
         g.Form_Click();
         guessAll(g, wordrop::testing::kWholeWord);
     },
     [](Form1& g) { g.lblWin_Click(); }},
    {"LoseBannerClick",
     [](Form1& g) {
         g.Form_Click();
         guessAll(g, wordrop::testing::kNineWrong);
     },
     [](Form1& g) { g.lblLoser_Click(); }},
    {"MegabytePress",
     [](Form1& g) {
         g.Form_Click();
         type(g, kMegabyte);
     },
     [](Form1& g) { g.cmdOK_Click(); }},
};

// The handler alone, on the model.
void handlerOnly(benchmark::State& state, const Scenario& scenario) {
    for (auto _ : state) {
        state.PauseTiming();
        auto game = std::make_unique<Form1>();
        scenario.setUp(*game);
        state.ResumeTiming();
        scenario.event(*game);
        state.PauseTiming();
        game.reset();
        state.ResumeTiming();
    }
}

using wordrop::testing::PaintMeter;

// The area an event really changed: every control whose look changed, and the drawing.
long changedArea(const window::Form& form, const std::vector<window::Control>& before,
                 window::Colour backBefore, std::size_t primitivesBefore,
                 window::Rect drawnBefore) {
    if (!(form.backColour() == backBefore)) return 683L * 561L;
    QRegion changed;
    const auto toRect = [](window::Rect r) {
        return QRect(r.left / 15, r.top / 15, (r.width + 14) / 15, (r.height + 14) / 15) &
               QRect(0, 0, 683, 561);
    };
    const auto now = form.controls();
    for (std::size_t i = 0; i < now.size(); ++i) {
        const auto& a = before[i];
        const auto& b = now[i];
        const bool shown = a.visible || b.visible;
        const bool looksDifferent =
            a.visible != b.visible ||
            (shown && (a.caption != b.caption || !(a.back == b.back) || !(a.fore == b.fore)));
        const bool textChanged =
            b.kind() == window::ControlKind::TextBox && shown && a.text != b.text;
        if (looksDifferent || textChanged) changed += toRect(b.bounds());
    }
    if (form.drawing().primitives.size() != primitivesBefore) {
        changed += toRect(form.drawing().bounds.united(drawnBefore));
    }
    long area = 0;
    for (const QRect& r : changed) area += static_cast<long>(r.width()) * r.height();
    return area;
}

// The handler and the repaint it causes, with the areas repainted and changed.
void withRepaint(benchmark::State& state, const Scenario& scenario) {
    long repainted = 0;
    long changed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<QtWindow>();
        Form1* game = &window->game;
        FormView* view = &window->view;
        scenario.setUp(*game);
        view->show();
        settle();
        PaintMeter meter;
        view->installEventFilter(&meter);
        const std::vector<window::Control> before(game->form().controls().begin(),
                                                  game->form().controls().end());
        const auto back = game->form().backColour();
        const auto primitives = game->form().drawing().primitives.size();
        const auto drawn = game->form().drawing().bounds;
        state.ResumeTiming();

        scenario.event(*game);
        QApplication::sendPostedEvents();
        QApplication::processEvents();

        state.PauseTiming();
        if (meter.paints == 0) state.SkipWithError("the event painted nothing");
        repainted = meter.area;
        changed = changedArea(game->form(), before, back, primitives, drawn);
        window.reset();
        state.ResumeTiming();
    }
    state.counters["repainted_px"] = static_cast<double>(repainted);
    state.counters["changed_px"] = static_cast<double>(changed);
    state.counters["ratio"] = changed ? static_cast<double>(repainted) / changed : 0;
}

// Painting a wrong-letter box that holds a megabyte against one that holds a letter.
void paintBox(benchmark::State& state, const std::string& caption) {
    QtWindow window;
    Form1& game = window.game;
    FormView& view = window.view;
    game.Form_Click();
    static_cast<void>(wordrop::testing::guess(game, caption));
    view.show();
    settle();
    const QRect box(16, 8, 25, 33);
    for (auto _ : state) {
        view.repaint(box);
    }
}

// Under callgrind (--collect-atstart=no): each event once, its instructions collected
// alone and dumped under its name. Instruction counts hold steady on a busy machine.
// Each event runs once unmeasured first, so that fonts and glyphs it needs are already
// loaded: the counts are of the event, not of the process warming up.
void countInstructions() {
    for (const Scenario& scenario : kScenarios) {
        {
            QtWindow warmUp;
            scenario.setUp(warmUp.game);
            warmUp.view.show();
            settle();
            scenario.event(warmUp.game);
            settle();
        }
        Form1 game;
        scenario.setUp(game);
        CALLGRIND_TOGGLE_COLLECT;
        scenario.event(game);
        CALLGRIND_TOGGLE_COLLECT;
        const std::string handlerName = std::string("Handler/") + scenario.name;
        CALLGRIND_DUMP_STATS_AT(handlerName.c_str());

        QtWindow viewed;
        scenario.setUp(viewed.game);
        viewed.view.show();
        settle();
        CALLGRIND_TOGGLE_COLLECT;
        scenario.event(viewed.game);
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        CALLGRIND_TOGGLE_COLLECT;
        const std::string repaintName = std::string("HandlerAndRepaint/") + scenario.name;
        CALLGRIND_DUMP_STATS_AT(repaintName.c_str());
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1 && std::string(argv[1]) == "--count-instructions") {
        countInstructions();
        return 0;
    }
    for (const Scenario& scenario : kScenarios) {
        benchmark::RegisterBenchmark((std::string("Handler/") + scenario.name).c_str(),
                                     [&scenario](benchmark::State& s) { handlerOnly(s, scenario); })
            ->Unit(benchmark::kMicrosecond);
        auto* repaint = benchmark::RegisterBenchmark(
            (std::string("HandlerAndRepaint/") + scenario.name).c_str(),
            [&scenario](benchmark::State& s) { withRepaint(s, scenario); });
        repaint->Unit(benchmark::kMicrosecond);
        // Typing a megabyte into the box before each press takes long; fewer presses do.
        if (std::string(scenario.name) == "MegabytePress") repaint->Iterations(30);
    }
    benchmark::RegisterBenchmark("PaintWrongBox/OneLetter", [](benchmark::State& s) {
        paintBox(s, "w");
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("PaintWrongBox/Megabyte", [](benchmark::State& s) {
        paintBox(s, kMegabyte);
    })->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
