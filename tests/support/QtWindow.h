// SPDX-License-Identifier: MIT
#pragma once

#include "game/BoardSummary.h"
#include "game/Form1.h"
#include "game/Narration.h"
#include "window/Midend.h"
#include "window/qt/Fonts.h"
#include "window/qt/FormView.h"

namespace wordrop::testing {

// Form1 in a real Qt window, put together as the program does.
struct QtWindow {
    game::Form1 game;
    game::Form1Narrator narrator{game};
    window::qt::QtFontMeasure measure;
    window::Midend midend{game.form(), measure, &narrator, [this] { return summary(); }};
    window::qt::FormView view{midend};

    std::string summary() const { return game::summarize(game); }
};

}  // namespace wordrop::testing
