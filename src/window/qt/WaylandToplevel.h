// SPDX-License-Identifier: MIT
#pragma once

#include <QSize>

class QWindow;

namespace wordrop::window::qt {

// Whether the application runs on a Wayland compositor.
bool onWayland();

// Tells a Wayland compositor that the window's toplevel cannot be resized: its smallest and
// largest size are both this size, frame included. Does nothing on other platforms, or in a
// build without Wayland's client library.
void setFixedToplevelSize(QWindow* window, QSize size);

}  // namespace wordrop::window::qt
