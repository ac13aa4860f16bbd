// SPDX-License-Identifier: MIT
#include "window/qt/WindowFrame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "window/qt/WaylandToplevel.h"

namespace wordrop::window::qt {

namespace {

constexpr Qt::WindowStates kSized = Qt::WindowMaximized | Qt::WindowFullScreen;

}  // namespace

WindowFrame::WindowFrame(QWidget& window, QSize size)
    : QObject(&window), window_(window), size_(size), wayland_(onWayland()) {
    if (wayland_) {
        // Qt holds a window to its maximum size even against a maximized state, which the
        // compositor then takes as a protocol error: the fixed size goes to the compositor
        // as hints of our own instead.
        window_.setMinimumSize(size_);
        window_.resize(size_);
    } else {
        window_.setFixedSize(size_);
    }
    window_.installEventFilter(this);
}

void WindowFrame::showCentred() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect client({}, size_);
        client.moveCenter(screen->availableGeometry().center());
        window_.move(client.topLeft());
    }
    window_.show();
    if (QWindow* handle = window_.windowHandle()) handle->installEventFilter(this);
}

bool WindowFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::WindowStateChange) {
        if (window_.windowState() & kSized) QTimer::singleShot(0, this, &WindowFrame::backToNormal);
    } else if (watched == &window_ && event->type() == QEvent::Resize) {
        // Outside those states a configured size is only a suggestion: the window answers
        // with its own before it paints at the other.
        if (wayland_ && !(window_.windowState() & kSized) && window_.size() != size_)
            window_.resize(size_);
    } else if (watched == window_.windowHandle() && event->type() == QEvent::Expose) {
        if (wayland_) sendSizeHints();
        if (!centred_ && window_.windowHandle()->isExposed()) centre();
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
    if (!(window_.windowState() & kSized)) return;
    window_.setWindowState(window_.windowState() & ~kSized);
    if (!wayland_) window_.setFixedSize(size_);
}

void WindowFrame::sendSizeHints() {
    setFixedToplevelSize(window_.windowHandle(), window_.frameGeometry().size());
}

}  // namespace wordrop::window::qt
