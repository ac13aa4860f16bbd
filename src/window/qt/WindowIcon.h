// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

namespace wordrop::window::qt {

// The game's icon for its window, in the sizes a desktop asks for.
QIcon windowIcon();

}  // namespace wordrop::window::qt
