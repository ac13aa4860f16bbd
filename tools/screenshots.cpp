// Draws every screen of a game with the real view and saves each as a PNG.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "Play.h"
#include "game/Form1.h"
#include "window/qt/FormView.h"

namespace {

using wordrop::game::Form1;
using wordrop::testing::guessAll;
using wordrop::testing::type;

struct Screen {
    const char* file;
    std::function<void(Form1&)> play;
};

const std::vector<Screen> kScreens{
    {"start", [](Form1&) {}},
    {"playing", [](Form1& g) { g.Form_Click(); }},
    {"guesses",
     [](Form1& g) {
         g.Form_Click();
         guessAll(g, {"g", "x", "r", "q", "e"});
         type(g, "m");
     }},
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
         guessAll(g, {"b", "c", "d", "e", "f", "h", "j", "k", "l"});
         g.lblLoser_Click();
     }},
    {"closed-after-win",
     [](Form1& g) {
         g.Form_Click();
         guessAll(g, {"p", "r", "o", "g", "a", "m", "i", "n"});
         g.lblWin_Click();
     }},
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);
    const qreal scale = qApp->devicePixelRatio();
    const QString suffix = scale > 1 ? QStringLiteral("@%1x").arg(scale) : QString();
    for (const Screen& screen : kScreens) {
        Form1 game;
        wordrop::view::FormView view(game.form());
        view.show();
        screen.play(game);
        const QString path = dir + "/" + screen.file + suffix + ".png";
        if (!view.grab().save(path)) {
            std::cerr << "could not write " << path.toStdString() << "\n";
            return 1;
        }
        std::cout << path.toStdString() << "\n";
    }
    return 0;
}
