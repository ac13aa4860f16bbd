// SPDX-License-Identifier: MIT
// Draws every screen of a game with the real view and saves each as a PNG.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <iostream>

#include "QtWindow.h"
#include "Screens.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);
    const qreal scale = qApp->devicePixelRatio();
    const QString suffix = scale > 1 ? QStringLiteral("@%1x").arg(scale) : QString();
    for (const wordrop::testing::ScreenShot& screen : wordrop::testing::screenShots()) {
        if (!screen.inDocs) continue;
        wordrop::testing::QtWindow window;
        window.view.show();
        screen.play(window.game);
        const QString path = dir + "/" + screen.name + suffix + ".png";
        if (!window.view.grab().save(path)) {
            std::cerr << "could not write " << path.toStdString() << "\n";
            return 1;
        }
        std::cout << path.toStdString() << "\n";
    }
    return 0;
}
