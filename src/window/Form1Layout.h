#pragma once

#include <span>

#include "window/Control.h"
#include "window/Form.h"

namespace wordrop::window {

// Form1 as it is designed: the window and its fifty controls, front to back.
const FormSpec& form1Spec();
std::span<const ControlSpec> form1Layout();

}  // namespace wordrop::window
