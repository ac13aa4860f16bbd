// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <vector>

#include "game/Form1.h"

namespace wordrop::testing {

// Every screen worth a picture, each reached by play from a new game.
struct ScreenShot {
    const char* name;
    std::function<void(game::Form1&)> play;
    bool inDocs = false;  // also one of the README's pictures
};

const std::vector<ScreenShot>& screenShots();

}  // namespace wordrop::testing
