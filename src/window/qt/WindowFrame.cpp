// SPDX-License-Identifier: MIT
#include "window/qt/WindowFrame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "window/qt/WaylandToplevel.h"

namespace wordrop::window::qt {

namespace {

constexpr Qt::WindowStates kSized = Qt::WindowMaximized | Qt::WindowFullScreen;

// The Wayland title bar: the window's icon, its title and a close box, in the desktop's
// window colours. A press anywhere else moves the window, as the compositor does it.
class TitleBar final : public QWidget {
  public:
    static constexpr int kHeight = 30;

    explicit TitleBar(QWidget& frame) : QWidget(&frame) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QPalette::ColorGroup group =
            window()->isActiveWindow() ? QPalette::Active : QPalette::Disabled;
        painter.fillRect(rect(), palette().color(QPalette::Active, QPalette::Window));
        const QIcon icon = window()->windowIcon();
        if (!icon.isNull()) icon.paint(&painter, QRect(kMargin, (kHeight - 22) / 2, 22, 22));
        QFont font = painter.font();
        font.setPixelSize(14);
        painter.setFont(font);
        painter.setPen(palette().color(group, QPalette::WindowText));
        const int inset = kMargin + 22 + kMargin;
        painter.drawText(rect().adjusted(inset, 0, -inset, 0), Qt::AlignCenter,
                         window()->windowTitle());
        // The close box's cross.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(group, QPalette::WindowText), 2));
        const QRectF box = closeBox();
        const double arm = box.height() / 4.6;
        const QPointF centre = box.center();
        painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
        painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        pressedClose_ = closeBox().contains(event->position());
        if (!pressedClose_) {
            if (QWindow* handle = window()->windowHandle()) handle->startSystemMove();
        }
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool close = pressedClose_ && event->button() == Qt::LeftButton &&
                           closeBox().contains(event->position());
        pressedClose_ = false;
        if (close) window()->close();
    }

    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::ActivationChange) update();
        QWidget::changeEvent(event);
    }

  private:
    static constexpr int kMargin = 5;
    static constexpr int kBox = 18;

    QRectF closeBox() const {
        return QRectF(width() - 8 - kBox, (kHeight - kBox) / 2.0, kBox, kBox);
    }

    bool pressedClose_ = false;
};

}  // namespace

WindowFrame::WindowFrame(QWidget& window, QSize size)
    : QObject(&window), window_(window), size_(size), wayland_(onWayland()) {
    if (wayland_) {
        frame_ = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint);
        frame_->setWindowTitle(window_.windowTitle());
        auto* bar = new TitleBar(*frame_);
        bar->setGeometry(0, 0, size_.width(), TitleBar::kHeight);
        window_.setParent(frame_, Qt::Widget);
        window_.setGeometry(QRect({0, TitleBar::kHeight}, size_));
        size_.rheight() += TitleBar::kHeight;
        // Qt holds a window to its maximum size even against a maximized state, which the
        // compositor then takes as a protocol error: the fixed size goes to the compositor
        // as hints of our own instead.
        frame_->setMinimumSize(size_);
        frame_->resize(size_);
        frame_->installEventFilter(this);
        // The frame goes before the window does, which it holds.
        connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
            window_.setParent(nullptr);
            delete frame_;
            frame_ = nullptr;
        });
    } else {
        window_.setFixedSize(size_);
    }
    window_.installEventFilter(this);
}

void WindowFrame::showCentred() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect client({}, size_);
        client.moveCenter(screen->availableGeometry().center());
        top().move(client.topLeft());
    }
    window_.show();
    top().show();
    if (QWindow* handle = top().windowHandle()) handle->installEventFilter(this);
}

bool WindowFrame::eventFilter(QObject* watched, QEvent* event) {
    if (frame_ && watched == &window_) {
        // The window closes (Ctrl+Q, Ctrl+W) by closing the frame that holds it, and its
        // title is the frame's.
        if (event->type() == QEvent::Close) {
            event->ignore();
            QTimer::singleShot(0, frame_, &QWidget::close);
            return true;
        }
        if (event->type() == QEvent::WindowTitleChange) {
            frame_->setWindowTitle(window_.windowTitle());
            frame_->update();
        }
    }
    if (frame_ && watched == frame_ && !forwarding_) {
        // Keys that no control takes go to the window, as they would on X11; those that the
        // window leaves come back up to the frame, which then lets them be.
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride: {
                forwarding_ = true;
                QCoreApplication::sendEvent(&window_, event);
                forwarding_ = false;
                return true;
            }
            default:
                break;
        }
    }
    if (watched == &top() && event->type() == QEvent::WindowStateChange) {
        if (top().windowState() & kSized) QTimer::singleShot(0, this, &WindowFrame::backToNormal);
    } else if (watched == &top() && event->type() == QEvent::Resize) {
        // Outside those states a configured size is only a suggestion: the window answers
        // with its own before it paints at the other.
        if (wayland_ && !(top().windowState() & kSized) && top().size() != size_)
            top().resize(size_);
    } else if (watched == top().windowHandle() && event->type() == QEvent::Expose) {
        if (wayland_) sendSizeHints();
        if (!centred_ && top().windowHandle()->isExposed()) centre();
    }
    return QObject::eventFilter(watched, event);
}

// Once the window manager has framed the window, the frame is what goes in the middle.
void WindowFrame::centre() {
    centred_ = true;
    if (wayland_) return;  // a Wayland client does not place its windows
    const QMargins frame = window_.windowHandle()->frameMargins();
    const QScreen* screen = window_.screen();
    if (frame.isNull() || !screen) return;
    QRect whole = window_.frameGeometry();
    whole.moveCenter(screen->availableGeometry().center());
    window_.move(whole.topLeft());
}

void WindowFrame::backToNormal() {
    if (!(top().windowState() & kSized)) return;
    top().setWindowState(top().windowState() & ~kSized);
    if (!wayland_) window_.setFixedSize(size_);
}

void WindowFrame::sendSizeHints() {
    setFixedToplevelSize(top().windowHandle(), top().frameGeometry().size());
}

}  // namespace wordrop::window::qt
