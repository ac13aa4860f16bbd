// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <vector>

#include "game/Form1.h"

namespace wordrop::testing {

// Every screen worth a picture, each reached by play from a new game: the golden pictures,
// which the README shows too.
struct ScreenShot {
    const char* name;
    std::function<void(game::Form1&)> play;
};

const std::vector<ScreenShot>& screenShots();

}  // namespace wordrop::testing
