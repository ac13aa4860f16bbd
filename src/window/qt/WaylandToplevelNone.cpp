// SPDX-License-Identifier: MIT
#include "window/qt/WaylandToplevel.h"

namespace wordrop::window::qt {

void setFixedToplevelSize(QWindow*, QSize) {}

}  // namespace wordrop::window::qt
