#include "ViewFixture.h"

namespace wordrop::testing {

namespace {
constexpr int kTwipsPerPixel = 15;
}

ViewTest::ViewTest() {
    view.setErrorReporter([this](const window::RuntimeError& e) { errors.emplace_back(e.what()); });
    view.show();
}

QColor ViewTest::at(const QImage& image, int xTwips, int yTwips) {
    return image.pixelColor(xTwips / kTwipsPerPixel, yTwips / kTwipsPerPixel);
}

int ViewTest::count(const QImage& image, window::Rect area, QColor colour) {
    int n = 0;
    for (int y = area.top / kTwipsPerPixel; y < area.bottom() / kTwipsPerPixel; ++y) {
        for (int x = area.left / kTwipsPerPixel; x < area.right() / kTwipsPerPixel; ++x) {
            if (x < image.width() && y < image.height() && image.pixelColor(x, y) == colour) ++n;
        }
    }
    return n;
}

int ViewTest::countOther(const QImage& image, window::Rect area, QColor colour) {
    const int clippedW =
        std::min(area.right() / kTwipsPerPixel, image.width()) - area.left / kTwipsPerPixel;
    const int clippedH =
        std::min(area.bottom() / kTwipsPerPixel, image.height()) - area.top / kTwipsPerPixel;
    return clippedW * clippedH - count(image, area, colour);
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
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(300, 400));
}

bool ViewTest::waitFor(const std::function<bool()>& condition, int timeoutMs) {
    for (int waited = 0; !condition(); waited += 10) {
        if (waited >= timeoutMs) return false;
        QTest::qWait(10);
    }
    return true;
}

}  // namespace wordrop::testing
