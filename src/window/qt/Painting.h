#pragma once

#include <QColor>

#include "window/Control.h"
#include "window/DrawingSurface.h"
#include "window/qt/Fonts.h"

class QPainter;

namespace wordrop::view {

QColor toQColor(window::Colour colour);

// Each paints one thing of the form in logical pixels.
void paintLabel(QPainter& painter, const window::Control& label, const LabelFont& font);
void paintShape(QPainter& painter, const window::Control& shape);
void paintLineControl(QPainter& painter, const window::Control& line);
void paintDrawing(QPainter& painter, const window::DrawingSurface& drawing);

}  // namespace wordrop::view
