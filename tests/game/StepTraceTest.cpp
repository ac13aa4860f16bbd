// SPDX-License-Identifier: MIT
// The operations each handler performs, path by path, against sequences written from the
// game's step lists: groups expand in their visiting order, and a counter's new value
// stands where it was stored between two operations.
#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <sstream>

#include "Play.h"
#include "Points.h"
#include "TextFrontEnd.h"

namespace wordrop::testing {
namespace {

using window::OperationKind;

const char* const kLetters[] = {"lblP", "lblR(0)", "lblR(1)", "lblO", "lblG(0)", "lblG(1)",
                                "lblA", "lblM(0)", "lblM(1)", "lblI", "lblN"};

// "Visible shp1..shp9; Visible lblWrong(0..8); ForeColor letters" one entry a control.
std::vector<std::string> expand(const std::string& steps) {
    static const std::regex numbered(R"((\w+) (\w+?)(\(?)(\d+)\.\.\w*?(\d+)(\)?))");
    std::vector<std::string> out;
    std::stringstream in(steps);
    for (std::string step; std::getline(in, step, ';');) {
        step = step.substr(step.find_first_not_of(' '));
        std::smatch m;
        if (std::regex_match(step, m, numbered)) {
            for (int k = std::stoi(m[4]); k <= std::stoi(m[5]); ++k)
                out.push_back(m[1].str() + " " + m[2].str() + m[3].str() + std::to_string(k) +
                              m[6].str());
        } else if (step.ends_with(" letters")) {
            for (const char* letter : kLetters)
                out.push_back(step.substr(0, step.size() - 7) + letter);
        } else {
            out.push_back(step);
        }
    }
    return out;
}

// What one event does, as a list of entries in the same notation. The events come through
// the midend, as a view hands them over.
std::vector<std::string> trace(TextFrontEnd& window,
                               const std::function<void(TextFrontEnd&)>& event) {
    Form1& game = window.game();
    struct Counters {
        int right, wrong;
    };
    const auto read = [&game] { return Counters{game.rightCount(), game.wrongCount()}; };
    Counters last = read();
    std::vector<std::pair<std::size_t, std::string>> stores;  // before the n-th operation
    std::size_t operations = 0;
    const auto noteStores = [&] {
        const Counters now = read();
        if (now.right != last.right)
            stores.emplace_back(operations, "RightCount=" + std::to_string(now.right));
        if (now.wrong != last.wrong)
            stores.emplace_back(operations, "WrongCount=" + std::to_string(now.wrong));
        last = now;
    };
    game.form().faults().watch([&] {
        noteStores();
        ++operations;
    });
    game.form().faults().startRecording();
    event(window);
    ++operations;
    noteStores();
    const auto ops = game.form().faults().stopRecording();
    game.form().faults().watch({});

    std::vector<std::string> out;
    auto store = stores.begin();
    for (std::size_t i = 0; i <= ops.size(); ++i) {
        for (; store != stores.end() && store->first == i; ++store) out.push_back(store->second);
        if (i == ops.size()) break;
        std::string name = window::operationName(ops[i].kind);
        if (ops[i].kind == OperationKind::TextRead) name += "?";
        if (ops[i].kind == OperationKind::TextWrite) name += "=";
        const auto id = ops[i].control;
        out.push_back(name + " " +
                      (id ? window::displayName(game.form().state(window::ControlId{*id}))
                          : std::string("form")));
    }
    return out;
}

// Typed into the box, and a click on Ok!.
void press(TextFrontEnd& window, const char* text) {
    window.focus("txtLetter");
    window.type(text);
    window.clickWidget("cmdOK");
}

const std::string kPrepareBoard =
    "BackColor form; BackColor lblWrong(0..8); BackColor letters; BackColor lblLoser; "
    "Visible Line1..Line11; FillStyle form";
const std::string kShowBoard =
    "Visible shp1..shp9; Visible lblPick; Visible txtLetter; Visible cmdOK; "
    "Visible lblWrong(0..8); Visible lblLoser";
const std::string kPrompts = "Visible lblAre; Visible lblwordrop; BackColor lblPick";
const std::string kClearStart =
    "Cls form; Visible shp1..shp9; Visible lblPick; Visible txtLetter; Visible cmdOK; "
    "BackColor form; ForeColor lblWrong(0..8); ForeColor letters; ForeColor lblLoser";
const std::string kClearEnd = "Visible Line1..Line11; Visible lblwordrop; Visible lblAre";
const std::string kLossBoard = kClearStart + "; BackColor lblEnd; BackColor lblEnd2; " + kClearEnd;
const std::string kWinBoard =
    kClearStart + "; " + kClearEnd + "; Visible lblEnd; Visible lblEnd2; Visible lblLoser";
const std::string kEndGameLost = "Visible lblLoser; Visible cmdOK; " + kLossBoard;

struct Path {
    const char* name;
    std::function<void(Form1&)> before;  // brings the game to where the path starts
    std::function<void(TextFrontEnd&)> event;
    std::string steps;
};

const auto kBackground = [](TextFrontEnd& w) { w.click(points::kBackground); };
const auto kStrip = [](TextFrontEnd& w) { w.click(points::kStrip); };
const auto kBanner = [](TextFrontEnd& w) { w.click(points::kBanner); };
const auto kStarted = [](Form1& g) { g.Form_Click(); };
auto pressing(const char* text) {
    return [text](TextFrontEnd& w) { press(w, text); };
}
// The guesses are copied: a braced list would not outlive the table.
auto after(std::initializer_list<const char*> list) {
    return [guesses = std::vector<std::string>(list.begin(), list.end())](Form1& g) {
        g.Form_Click();
        for (const std::string& text : guesses) static_cast<void>(guess(g, text));
    };
}

const Path kPaths[] = {
    {"first click", [](Form1&) {}, kBackground,
     kPrepareBoard + "; " + kShowBoard + "; " + kPrompts},
    {"restart in mid-game", after({"p", "x"}), kBackground,
     "RightCount=0; " + kPrepareBoard + "; " + kShowBoard + "; WrongCount=0; " + kPrompts},
    {"restart from the strip", after(kNineWrong), kStrip,
     kPrepareBoard + "; " + kShowBoard + "; WrongCount=0; " + kPrompts},
    {"correct letter", kStarted, pressing("g"),
     "Text? txtLetter; Visible lblG(0); Visible lblG(1); RightCount=1; Text= txtLetter"},
    {"repeated letter", after({"g"}), pressing("g"), "Text? txtLetter; Text= txtLetter"},
    {"wrong text", kStarted, pressing("x"),
     "Text? txtLetter; Text? txtLetter; Caption lblWrong(0); Circle form; WrongCount=1; "
     "Text= txtLetter"},
    {"winning letter", after({"p", "r", "o", "g", "a", "m", "i"}), pressing("n"),
     "Text? txtLetter; Visible lblN; RightCount=8; Visible lblWin; Visible lblProgram; "
     "Visible cmdOK; Visible txtLetter; Text= txtLetter"},
    {"losing text", after({"b", "c", "d", "e", "f", "h", "j", "k"}), pressing("l"),
     "Text? txtLetter; Text? txtLetter; Caption lblWrong(8); Line form; WrongCount=9; " +
         kEndGameLost + "; Text= txtLetter"},
    // The loss test runs on every path, a correct letter's too.
    {"correct letter at nine wrong",
     [](Form1& g) {
         g.Form_Click();
         g.setCountersForTesting(0, 9);
     },
     pressing("p"),
     "Text? txtLetter; Visible lblP; RightCount=1; " + kEndGameLost + "; Text= txtLetter"},
    {"win banner", after(kWholeWord), kBanner, kWinBoard + "; Visible lblWin; Visible lblProgram"},
    {"lose banner", after(kNineWrong), kBanner,
     "Visible lblLoser; Visible lblEnd; Visible lblEnd2"},
};

TEST(StepTraceTest, EachPathPerformsTheStepsInOrder) {
    for (const Path& path : kPaths) {
        TextFrontEnd window;
        path.before(window.game());
        EXPECT_EQ(trace(window, path.event), expand(path.steps)) << path.name;
    }
}

}  // namespace
}  // namespace wordrop::testing
