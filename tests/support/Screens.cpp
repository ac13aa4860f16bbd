// SPDX-License-Identifier: MIT
#include "Screens.h"

#include <string>

#include "Play.h"
#include "game/Figure.h"

namespace wordrop::testing {

namespace {

std::vector<ScreenShot> build() {
    std::vector<ScreenShot> shots{
        {"start", [](Form1&) {}},
        {"playing", [](Form1& g) { g.Form_Click(); }},
        {"guesses",
         [](Form1& g) {
             g.Form_Click();
             guessAll(g, {"g", "x", "r", "q", "e"});
             type(g, "m");
         }},
    };
    // The figure after each of its pieces; the ninth ends the game in the same press, so
    // it is drawn on its own over the eighth.
    static const char* const kWrong[] = {"b", "c", "d", "e", "f", "h", "j", "k"};
    static const std::string kNames[] = {"figure-1", "figure-2", "figure-3", "figure-4", "figure-5",
                                         "figure-6", "figure-7", "figure-8", "figure-9"};
    for (int pieces = 1; pieces <= 9; ++pieces) {
        shots.push_back({kNames[pieces - 1].c_str(), [pieces](Form1& g) {
                             g.Form_Click();
                             for (int k = 0; k < pieces && k < 8; ++k)
                                 static_cast<void>(guess(g, kWrong[k]));
                             if (pieces == 9) game::drawFigurePiece(g.form(), 8);
                         }});
    }
    shots.insert(shots.end(),
                 {
                     {"won",
                      [](Form1& g) {
                          g.Form_Click();
                          guessAll(g, {"p", "z", "r", "o", "g", "a", "m", "i", "n"});
                      }},
                     {"lost",
                      [](Form1& g) {
                          g.Form_Click();
                          guessAll(g, {"p", "a", "b", "c", "d", "e", "f", "h", "j", "k", "l"});
                      }},
                     {"closed-after-loss",
                      [](Form1& g) {
                          g.Form_Click();
                          guessAll(g, kNineWrong);
                          g.lblLoser_Click();
                      }},
                     {"closed-after-win",
                      [](Form1& g) {
                          g.Form_Click();
                          guessAll(g, kWholeWord);
                          g.lblWin_Click();
                      }},
                     {"started-from-the-strip",
                      [](Form1& g) {
                          g.Form_Click();
                          guessAll(g, {"g", "b", "c", "d", "e", "f", "h", "j", "k", "l"});
                          static_cast<void>(g.form().clickAt({10230, 4000}));
                          guessAll(g, {"p", "z"});
                      }},
                     {"long-wrong-text",
                      [](Form1& g) {
                          g.Form_Click();
                          guessAll(g, {"supercalifragilistic", "x y"});
                      }},
                 });
    return shots;
}

}  // namespace

const std::vector<ScreenShot>& screenShots() {
    static const std::vector<ScreenShot> shots = build();
    return shots;
}

}  // namespace wordrop::testing
