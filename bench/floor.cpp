// SPDX-License-Identifier: MIT
// The floor for start-up: the same window built the plain Qt way, one widget per
// control (labels with their text and fonts, frames for shapes and lines, a line edit
// and a push button), shown as the game shows at start.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "game/Form1Layout.h"
#include "window/Scene.h"
#include "window/qt/Fonts.h"
#include "window/qt/Painting.h"

int main(int argc, char* argv[]) {
    using namespace wordrop;
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Form1"));
    window.setFixedSize(683, 561);
    const auto layout = game::form1Layout();
    // Back to front, so that later widgets stack over earlier ones as the layout says.
    for (auto it = layout.rbegin(); it != layout.rend(); ++it) {
        const window::ControlDesign& design = *it;
        QWidget* widget = nullptr;
        switch (design.kind) {
            case window::ControlKind::Label: {
                auto* label =
                    new QLabel(QString(design.captionPadding, QChar(' ')) +
                                   QString::fromUtf8(design.caption.data(),
                                                     static_cast<qsizetype>(design.caption.size())),
                               &window);
                label->setWordWrap(true);
                label->setAlignment(Qt::AlignTop | (design.alignment == window::Alignment::Centre
                                                        ? Qt::AlignHCenter
                                                        : Qt::AlignLeft));
                label->setAutoFillBackground(true);
                QPalette palette = label->palette();
                palette.setColor(QPalette::Window, window::qt::toQColor(design.back.resolved()));
                palette.setColor(QPalette::WindowText,
                                 window::qt::toQColor(design.fore.resolved()));
                label->setPalette(palette);
                widget = label;
                break;
            }
            case window::ControlKind::TextBox:
                widget = new QLineEdit(&window);
                break;
            case window::ControlKind::CommandButton:
                widget = new QPushButton(QStringLiteral("&Ok!"), &window);
                break;
            case window::ControlKind::Shape:
            case window::ControlKind::Line: {
                auto* frame = new QFrame(&window);
                frame->setFrameShape(design.kind == window::ControlKind::Line ? QFrame::HLine
                                                                              : QFrame::Box);
                widget = frame;
                break;
            }
        }
        const window::RectF box = window::toPixels(design.bounds);
        widget->setGeometry(QRectF(box.x, box.y, box.width, box.height).toRect());
        if (!design.font.face.empty())
            widget->setFont(window::qt::qtFont(window::fontFor(design.font)));
        widget->setVisible(design.visible);
    }
    window.show();
    return QApplication::exec();
}
