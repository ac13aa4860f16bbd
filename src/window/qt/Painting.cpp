// SPDX-License-Identifier: MIT
#include "window/qt/Painting.h"
#include "window/qt/QtText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include "window/LineBreaker.h"
#include "window/qt/Pixels.h"

namespace wordrop::window::qt {

namespace {

class FontMeasure final : public window::TextMeasure {
  public:
    explicit FontMeasure(const LabelFont& font)
        : metrics_(font.font), lineHeight_(font.lineHeight) {}
    double advance(std::string_view utf8) const override {
        return metrics_.horizontalAdvance(toQString(utf8));
    }
    double lineHeight() const override { return lineHeight_; }

  private:
    QFontMetricsF metrics_;
    double lineHeight_;
};

QPen onePixelPen(QColor colour) {
    QPen pen(colour, 1.0);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

struct PrimitivePainter {
    QPainter& painter;
    void operator()(const window::CircleShape& c) const {
        painter.setPen(onePixelPen(toQColor(c.colour)));
        painter.setBrush(c.fill == window::FillMode::Solid ? QBrush(toQColor(c.fillColour))
                                                           : QBrush(Qt::NoBrush));
        const double r = toPixels(c.radius);
        painter.drawEllipse(toPixels(c.centre), r, r);
    }
    void operator()(const window::LineShape& l) const {
        painter.setPen(onePixelPen(toQColor(l.colour)));
        painter.drawLine(toPixels(l.segment.from), toPixels(l.segment.to));
    }
};

}  // namespace

QColor toQColor(window::Colour colour) {
    const window::Rgb rgb = colour.resolved();
    return {rgb.red, rgb.green, rgb.blue};
}

std::vector<window::LaidLine> layOutLabel(const window::Control& label, const LabelFont& font) {
    const QRectF box = toPixels(label.bounds());
    return window::layOutCaption(label.caption, box.width(), box.height(), label.design->alignment,
                                 FontMeasure(font));
}

void paintLabel(QPainter& painter, const window::Control& label,
                const std::vector<window::LaidLine>& lines,
                const std::function<const LabelFont&()>& fontOf) {
    const QRectF box = toPixels(label.bounds());
    painter.fillRect(box, toQColor(label.back));
    if (lines.empty()) return;
    const LabelFont& font = fontOf();
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.setFont(font.font);
    painter.setPen(toQColor(label.fore));
    for (const window::LaidLine& line : lines) {
        const QPointF baseline(box.left() + line.x, box.top() + line.y + font.ascent);
        // Always plain text: a caption is never read as markup or mnemonics.
        painter.drawText(baseline, toQString(line.text));
    }
    painter.restore();
}

void paintShape(QPainter& painter, const window::Control& shape) {
    const QRectF box = toPixels(shape.bounds());
    const QColor fill = toQColor(shape.back);
    if (shape.design->shape == window::ShapeStyle::Rectangle) {
        painter.fillRect(box, fill);  // the outline has the fill's colour
        return;
    }
    const double radius = box.width() / 4;
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    painter.fillPath(path, fill);
}

// Pens are centred on the middle of a logical pixel, so a line fills whole logical
// pixels at any scale instead of straddling two of them.
constexpr QPointF kPixelCentre{0.5, 0.5};

void paintLineControl(QPainter& painter, const window::Control& line) {
    const window::Segment ends = line.design->ends;
    painter.setPen(onePixelPen(toQColor(line.fore)));
    painter.drawLine(toPixels(ends.from) + kPixelCentre, toPixels(ends.to) + kPixelCentre);
}

void paintDrawing(QPainter& painter, const window::DrawingSurface& drawing) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.translate(kPixelCentre);
    for (const window::Primitive& primitive : drawing.primitives) {
        std::visit(PrimitivePainter{painter}, primitive);
    }
    painter.restore();
}

}  // namespace wordrop::window::qt
