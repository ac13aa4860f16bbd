// SPDX-License-Identifier: MIT
// The bare minimum for start-up: an empty Qt window of the game's size and title.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Form1"));
    window.setFixedSize(683, 561);
    window.show();
    return QApplication::exec();
}
