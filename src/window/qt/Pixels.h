// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>

#include "window/Geometry.h"

// The one place where the form's twips become the view's logical pixels and back:
// 15 twips a pixel, the ratio of a 96-dpi screen. Device pixels follow from Qt's scale.
namespace wordrop::window::qt {

inline constexpr double kTwipsPerPixel = 15.0;

inline double toPixels(int twips) {
    return twips / kTwipsPerPixel;
}

inline QPointF toPixels(window::Point p) {
    return {toPixels(p.x), toPixels(p.y)};
}

inline QRectF toPixels(window::Rect r) {
    return {toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)};
}

inline QSizeF toPixels(window::Size s) {
    return {toPixels(s.width), toPixels(s.height)};
}

// The pixels a change in twips touches: lines and outlines are drawn a pixel wide and
// smoothed, so one more pixel all round.
inline QRect repaintArea(window::Rect r) {
    return toPixels(r).toAlignedRect().adjusted(-1, -1, 1, 1);
}

// The twip under a position given in logical pixels.
inline window::Point toTwips(QPointF p) {
    return {static_cast<int>(p.x() * kTwipsPerPixel), static_cast<int>(p.y() * kTwipsPerPixel)};
}

}  // namespace wordrop::window::qt
