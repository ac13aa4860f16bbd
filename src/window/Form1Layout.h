#pragma once

#include <span>

#include "window/Control.h"
#include "window/Form.h"

namespace wordrop::window {

// Form1 as it is designed: the window and its fifty controls, front to back.
const FormDesign& form1Design();
std::span<const ControlDesign> form1Layout();

}  // namespace wordrop::window
