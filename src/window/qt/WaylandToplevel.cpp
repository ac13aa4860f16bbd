// SPDX-License-Identifier: MIT
#include "window/qt/WaylandToplevel.h"

#include <qpa/qplatformnativeinterface.h>
#include <QGuiApplication>
#include <QWindow>

#include "xdg-shell-client-protocol.h"

namespace wordrop::window::qt {

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// Qt's own hints leave out the title bar it draws, and a window whose maximum size is
// set cannot follow a maximized state: these hints, sent after Qt's, take their place. The
// compositor applies them with the window's next commit.
void setFixedToplevelSize(QWindow* window, QSize size) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (!window || !native || size.isEmpty()) return;
    auto* toplevel =
        static_cast<xdg_toplevel*>(native->nativeResourceForWindow("xdg_toplevel", window));
    if (!toplevel) return;
    xdg_toplevel_set_min_size(toplevel, size.width(), size.height());
    xdg_toplevel_set_max_size(toplevel, size.width(), size.height());
}

}  // namespace wordrop::window::qt
