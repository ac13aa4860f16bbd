// SPDX-License-Identifier: MIT
#pragma once

#include "window/Keys.h"

class QKeyEvent;

namespace wordrop::window::qt {

// A key as Qt delivers it, in the terms of the window's key table. Qt hands an input
// method's composing to widgets as input method events, so no key press is part of one.
window::KeyStroke keyStroke(const QKeyEvent& event);

}  // namespace wordrop::window::qt
