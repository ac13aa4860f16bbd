// SPDX-License-Identifier: MIT
#pragma once

#include <span>

#include "window/Control.h"
#include "window/Form.h"

namespace wordrop::game {

// Form1 as it is designed: the window and its fifty controls, front to back.
const window::FormDesign& form1Design();
std::span<const window::ControlDesign> form1Layout();

}  // namespace wordrop::game
