// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QSize>

class QWidget;

namespace wordrop::window::qt {

// Keeps a top-level window at its design size whatever the window system asks, and opens
// it in the middle of its screen with the window manager's frame counted in.
//
// On X11 the size hints say it all. On Wayland the window draws its own title bar, with the
// title and a close box only, as X11's window managers show a fixed-size window: Qt's would
// offer maximize, and minimize, which no Wayland compositor need let a client undo (Weston
// hides such a window for good). The window goes below that bar, in a frame window of its
// own. A compositor may still send the maximized or full-screen state on its own, and the
// protocol then wants the window at the size it sends: the frame takes that size for as
// long as the state lasts and at once asks to be put back to normal.
class WindowFrame : public QObject {
  public:
    WindowFrame(QWidget& window, QSize size);

    void showCentred();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void centre();
    void backToNormal();
    void sendSizeHints();
    // The window that the window system sees: the frame on Wayland, else the window.
    QWidget& top() const { return frame_ ? *frame_ : window_; }

    QWidget& window_;
    QSize size_;
    bool wayland_;
    bool centred_ = false;
    QWidget* frame_ = nullptr;
    bool forwarding_ = false;
};

}  // namespace wordrop::window::qt
