// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "Play.h"
#include "QtWindow.h"

// Colours in failure messages as rgb(r, g, b).
inline void PrintTo(const QColor& colour, std::ostream* out) {
    *out << "rgb(" << colour.red() << ", " << colour.green() << ", " << colour.blue() << ")";
}

namespace wordrop::testing {

// A game in a real view, with probes that read the painted window back.
class ViewTest : public ::testing::Test, protected QtWindow {
  public:
    // The window as painted, in device pixels: at a scale factor of 2, four to a pixel.
    QImage grab() { return view.grab().toImage(); }
    // The painted colour at a point given in twips (15 to the logical pixel).
    static QColor at(const QImage& image, int xTwips, int yTwips);
    // The painted colour at a point given in logical pixels.
    static QColor pixel(const QImage& image, double x, double y);
    // How many device pixels of the area (in twips) have exactly this colour.
    static int count(const QImage& image, window::Rect area, QColor colour);
    // How many device pixels of the area differ from the colour.
    static int countOther(const QImage& image, window::Rect area, QColor colour);
    static window::Rect boundsOf(const Form1& game, std::string_view name, int index = -1);

  protected:
    ViewTest();

    QLineEdit* textBox();
    QPushButton* button();
    void clickBackground();
    bool waitFor(const std::function<bool()>& condition, int timeoutMs = 2000);

    std::vector<std::string> errors;
};

inline const QColor kViolet{141, 31, 255};
inline const QColor kButtonFace{192, 192, 192};
inline const QColor kOlive{64, 64, 0};
inline const QColor kBlack{0, 0, 0};
inline const QColor kWhite{255, 255, 255};
inline const QColor kRed{255, 0, 0};
inline const QColor kDarkBlue{0, 0, 192};
inline const QColor kBlue{0, 0, 255};

}  // namespace wordrop::testing
