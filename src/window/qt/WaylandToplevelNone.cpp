// SPDX-License-Identifier: MIT
#include "window/qt/WaylandToplevel.h"

#include <QGuiApplication>

namespace wordrop::window::qt {

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void setFixedToplevelSize(QWindow*, QSize) {}

}  // namespace wordrop::window::qt
