// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace wordrop::testing {

// The golden pictures, and the line breaks some cases read, were drawn with particular
// face files. Where the machine's differ, this says how, and such cases
// skip with that message rather than fail on another font's pixels; with
// WORDROP_REDRAW_GOLDENS set it records the machine's as the ones expected.
std::optional<std::string> facesDifferFromGoldens();

}  // namespace wordrop::testing
