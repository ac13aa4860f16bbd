#include "game/BoardSummary.h"
#include "game/Form1.h"
#include "game/Narration.h"
#include "window/qt/FormView.h"
#include "window/qt/Runtime.h"

int main(int argc, char* argv[]) {
    wordrop::view::Runtime runtime(argc, argv);
    wordrop::game::Form1 form1;
    wordrop::game::Form1Narrator narrator(form1);
    wordrop::view::FormView window(form1.form());
    window.setSummary([&form1] { return wordrop::game::summarize(form1); });
    window.setNarrator(&narrator);
    window.showCentred();
    return runtime.exec();
}
