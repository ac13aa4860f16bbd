#include "game/Form1.h"
#include "window/qt/FormView.h"
#include "window/qt/Runtime.h"

int main(int argc, char* argv[]) {
    wordrop::view::Runtime runtime(argc, argv);
    wordrop::game::Form1 form1;
    wordrop::view::FormView window(form1.form());
    window.showCentred();
    return runtime.exec();
}
