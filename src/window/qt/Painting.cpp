// SPDX-License-Identifier: MIT
#include "window/qt/Painting.h"

#include <QPainter>
#include <QPainterPath>

#include "window/qt/Fonts.h"
#include "window/qt/QtText.h"

namespace wordrop::window::qt {

namespace {

struct ItemPainter {
    QPainter& painter;
    double scale;

    QPointF at(window::PointF p) const { return {p.x / scale, p.y / scale}; }
    QPen pen(window::Rgb colour, double width) const {
        QPen pen(toQColor(colour), width / scale);
        pen.setCapStyle(Qt::SquareCap);
        return pen;
    }

    void operator()(const window::FilledRect& r) const {
        const QRectF box = toLogical(r.box, scale);
        if (r.radius <= 0) return painter.fillRect(box, toQColor(r.colour));
        QPainterPath path;
        path.addRoundedRect(box, r.radius / scale, r.radius / scale);
        painter.fillPath(path, toQColor(r.colour));
    }
    void operator()(const window::StrokedLine& l) const {
        painter.setPen(pen(l.colour, l.width));
        painter.drawLine(at(l.from), at(l.to));
    }
    void operator()(const window::StrokedCircle& c) const {
        painter.setPen(pen(c.colour, c.width));
        painter.setBrush(c.fill ? QBrush(toQColor(*c.fill)) : QBrush(Qt::NoBrush));
        painter.drawEllipse(at(c.centre), c.radius / scale, c.radius / scale);
    }
    void operator()(const window::TextRun& t) const {
        painter.save();
        painter.setClipRect(toLogical(t.clip, scale), Qt::IntersectClip);
        painter.setFont(qtFont(t.font, scale));
        painter.setPen(toQColor(t.colour));
        // Always plain text: a caption is never read as markup or mnemonics.
        painter.drawText(at(t.baseline), toQString(t.text));
        painter.restore();
    }
};

// Where an item paints, to skip those outside the area being painted again.
struct ItemBounds {
    double scale;
    QRectF operator()(const window::FilledRect& r) const { return toLogical(r.box, scale); }
    QRectF operator()(const window::TextRun& t) const { return toLogical(t.clip, scale); }
    QRectF operator()(const window::StrokedLine& l) const {
        return QRectF(QPointF(l.from.x, l.from.y) / scale, QPointF(l.to.x, l.to.y) / scale)
            .normalized()
            .adjusted(-1, -1, 1, 1);
    }
    QRectF operator()(const window::StrokedCircle& c) const {
        const double r = c.radius / scale + 1;
        return {c.centre.x / scale - r, c.centre.y / scale - r, 2 * r, 2 * r};
    }
};

}  // namespace

QColor toQColor(window::Rgb colour) {
    return {colour.red, colour.green, colour.blue};
}

QRectF toLogical(const window::RectF& box, double scale) {
    return {box.x / scale, box.y / scale, box.width / scale, box.height / scale};
}

void paintScene(QPainter& painter, const window::Scene& scene, const QRectF& area) {
    const ItemPainter paint{painter, scene.scale};
    for (const window::SceneItem& item : scene.items) {
        if (std::visit(ItemBounds{scene.scale}, item.paint).intersects(area))
            std::visit(paint, item.paint);
    }
}

}  // namespace wordrop::window::qt
