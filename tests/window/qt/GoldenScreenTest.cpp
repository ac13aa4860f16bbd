// SPDX-License-Identifier: MIT
// Every screen, painted by the real view, against reference pictures reviewed by eye.
// Redraw them on purpose with `make goldens`; a mismatch leaves the picture drawn and a
// map of the differing pixels in the build's golden-failures folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>

#include "Faces.h"
#include "QtWindow.h"
#include "Screens.h"

namespace wordrop::testing {
namespace {

QString fileName(const char* screen, qreal scale) {
    return QString::fromLatin1(screen) + (scale > 1 ? QStringLiteral("@%1x").arg(scale) : "") +
           ".png";
}

QImage draw(const ScreenShot& screen) {
    QtWindow window;
    window.view.show();
    screen.play(window.game);
    return window.view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The smallest rectangle holding every pixel that differs, and a picture of them: red on
// a faded copy of what was drawn.
QRect differences(const QImage& drawn, const QImage& reference, QImage& map) {
    map = drawn.copy();
    {
        QPainter fade(&map);
        fade.fillRect(map.rect(), QColor(255, 255, 255, 200));
    }
    QRect box;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (drawn.pixel(x, y) == reference.pixel(x, y)) continue;
            map.setPixel(x, y, qRgb(255, 0, 0));
            box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

TEST(GoldenScreenTest, EveryScreenLooksAsReviewed) {
    if (const auto why = facesDifferFromGoldens()) GTEST_SKIP() << *why;
    const QDir golden(QStringLiteral(WORDROP_GOLDEN_DIR));
    const QDir failures(QStringLiteral(WORDROP_GOLDEN_FAILURES));
    const bool redraw = qEnvironmentVariableIsSet("WORDROP_REDRAW_GOLDENS");
    for (const ScreenShot& screen : screenShots()) {
        const QImage drawn = draw(screen);
        const QString name = fileName(screen.name, drawn.devicePixelRatio());
        if (redraw) {
            ASSERT_TRUE(drawn.save(golden.filePath(name))) << name.toStdString();
            continue;
        }
        const QImage reference =
            QImage(golden.filePath(name)).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(reference.isNull()) << "no reference picture " << name.toStdString();
        ASSERT_EQ(drawn.size(), reference.size()) << name.toStdString();
        QImage map;
        const QRect box = differences(drawn, reference, map);
        if (box.isNull()) continue;
        failures.mkpath(".");
        drawn.save(failures.filePath(name));
        map.save(failures.filePath("diff-" + name));
        const double twips = 15 / drawn.devicePixelRatio();
        ADD_FAILURE() << screen.name << " differs in device pixels (" << box.left() << ", "
                      << box.top() << ") to (" << box.right() << ", " << box.bottom() << "), twips "
                      << int(box.left() * twips) << ", " << int(box.top() * twips) << " to "
                      << int((box.right() + 1) * twips) << ", " << int((box.bottom() + 1) * twips)
                      << "; see " << failures.filePath(name).toStdString();
    }
}

}  // namespace
}  // namespace wordrop::testing
