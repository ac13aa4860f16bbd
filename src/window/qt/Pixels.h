// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>

#include "window/Geometry.h"

// The form's twips as Qt's logical pixels, by the model's one ratio. Device pixels follow
// from Qt's scale.
namespace wordrop::window::qt {

inline double toPixels(int twips) {
    return window::pixelsOf(twips);
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
    return {window::twipsOf(p.x()), window::twipsOf(p.y())};
}

}  // namespace wordrop::window::qt
