#include "window/qt/WaylandToplevel.h"

namespace wordrop::view {

void setFixedToplevelSize(QWindow*, QSize) {}

}  // namespace wordrop::view
