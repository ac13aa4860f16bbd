// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QRectF>

#include "window/Scene.h"

class QPainter;

namespace wordrop::window::qt {

QColor toQColor(window::Rgb colour);

// The scene's device pixels as Qt's logical ones, which Qt maps back to the screen.
QRectF toLogical(const window::RectF& box, double scale);

// Paints the scene's items that meet the area (in logical pixels), back to front.
void paintScene(QPainter& painter, const window::Scene& scene, const QRectF& area);

}  // namespace wordrop::window::qt
