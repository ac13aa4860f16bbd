// SPDX-License-Identifier: MIT
#pragma once

#include <QEvent>
#include <QObject>
#include <QPaintEvent>

namespace wordrop::testing {

// Installed as an event filter on a widget: sums the area of what it is asked to paint,
// in logical pixels, and counts its paint events.
class PaintMeter : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) {
                area += static_cast<long>(r.width()) * r.height();
            }
            ++paints;
        }
        return false;
    }

    long area = 0;
    int paints = 0;
};

}  // namespace wordrop::testing
