// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QSize>

class QWidget;

namespace wordrop::window::qt {

// Keeps a top-level window at its design size whatever the window system asks, and opens
// it in the middle of its screen with the window manager's frame counted in.
//
// On X11 the size hints say it all. On Wayland a compositor may still send the maximized or
// full-screen state (through the title bar Qt draws, or on its own), and the protocol then
// wants the window at the size it sends: the window takes that size for as long as the
// state lasts and at once asks to be put back to normal.
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

    QWidget& window_;
    QSize size_;
    bool wayland_;
    bool centred_ = false;
};

}  // namespace wordrop::window::qt
