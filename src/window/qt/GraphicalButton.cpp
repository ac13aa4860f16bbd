// SPDX-License-Identifier: MIT
#include "window/qt/GraphicalButton.h"

#include <QPainter>
#include <QStyle>

namespace wordrop::window::qt {

GraphicalButton::GraphicalButton(QWidget* parent) : QPushButton(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphicalButton::setColours(QColor face, QColor text) {
    face_ = face;
    text_ = text;
    update();
}

void GraphicalButton::setCaption(const QString& shown, std::optional<qsizetype> accessKey) {
    QString marked;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (accessKey == i) marked += QLatin1Char('&');
        if (shown[i] == QLatin1Char('&')) marked += QLatin1Char('&');
        marked += shown[i];
    }
    if (marked == text()) return;
    setText(marked);
    setShortcut(QKeySequence());
}

void GraphicalButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box = rect();
    const bool sunken = isDown();
    painter.fillRect(box, face_);

    const QColor light = sunken ? Qt::black : Qt::white;
    const QColor dark = sunken ? Qt::white : Qt::black;
    painter.setPen(light);
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());

    const QRect label = sunken ? box.translated(1, 1) : box;
    painter.setFont(font());
    painter.setPen(text_);
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    painter.drawText(label, flags, text());
    if (hasFocus()) {
        QPen dotted(text_, 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(box.adjusted(3, 3, -4, -4));
    }
}

}  // namespace wordrop::window::qt
