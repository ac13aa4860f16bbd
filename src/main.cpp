#include <QApplication>

#include "game/Form1.h"
#include "window/qt/FormView.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    wordrop::game::Form1 form1;
    wordrop::view::FormView window(form1.form());
    window.showCentred();
    return QApplication::exec();
}
