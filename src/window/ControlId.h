// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace wordrop::window {

// A control's place in the form's front-to-back order (0 is the frontmost).
enum class ControlId : std::uint16_t {};

}  // namespace wordrop::window
