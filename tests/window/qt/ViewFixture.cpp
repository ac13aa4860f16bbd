// SPDX-License-Identifier: MIT
#include "ViewFixture.h"

#include "Points.h"

namespace wordrop::testing {

using points::kTwipsPerPixel;

ViewTest::ViewTest() {
    view.setErrorReporter([this](const std::string& error) { errors.push_back(error); });
    view.show();
}

QColor ViewTest::at(const QImage& image, int xTwips, int yTwips) {
    return pixel(image, static_cast<double>(xTwips) / kTwipsPerPixel,
                 static_cast<double>(yTwips) / kTwipsPerPixel);
}

QColor ViewTest::pixel(const QImage& image, double x, double y) {
    const double scale = image.devicePixelRatio();
    return image.pixelColor(static_cast<int>(x * scale), static_cast<int>(y * scale));
}

namespace {

// The device pixels an area in twips covers, cut to the image.
QRect devicePixels(const QImage& image, window::Rect area) {
    const double scale = image.devicePixelRatio() / kTwipsPerPixel;
    const QRect r(QPoint(static_cast<int>(area.left * scale), static_cast<int>(area.top * scale)),
                  QPoint(static_cast<int>(area.right() * scale) - 1,
                         static_cast<int>(area.bottom() * scale) - 1));
    return r & image.rect();
}

}  // namespace

int ViewTest::count(const QImage& image, window::Rect area, QColor colour) {
    const QRect r = devicePixels(image, area);
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) n += image.pixelColor(x, y) == colour;
    }
    return n;
}

int ViewTest::countOther(const QImage& image, window::Rect area, QColor colour) {
    const QRect r = devicePixels(image, area);
    return r.width() * r.height() - count(image, area, colour);
}

window::Rect ViewTest::boundsOf(const Form1& game, std::string_view name, int index) {
    return control(game, name, index).bounds();
}

QLineEdit* ViewTest::textBox() {
    return qobject_cast<QLineEdit*>(view.widgetFor(*game.form().find("txtLetter")));
}

QPushButton* ViewTest::button() {
    return qobject_cast<QPushButton*>(view.widgetFor(*game.form().find("cmdOK")));
}

void ViewTest::clickBackground() {
    QTest::mouseClick(
        &view, Qt::LeftButton, {},
        QPointF(points::pixels(points::kBackground.x), points::pixels(points::kBackground.y))
            .toPoint());
}

bool ViewTest::waitFor(const std::function<bool()>& condition, int timeoutMs) {
    for (int waited = 0; !condition(); waited += 10) {
        if (waited >= timeoutMs) return false;
        QTest::qWait(10);
    }
    return true;
}

}  // namespace wordrop::testing
