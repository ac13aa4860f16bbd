// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace wordrop::window::qt {

// Tells the player about a run-time error that ended a handler, in the midend's words.
using ErrorReporter = std::function<void(const std::string&)>;

// On stderr and in a message box over the window; the window keeps running.
ErrorReporter messageBoxReporter(QWidget* parent);

}  // namespace wordrop::window::qt
