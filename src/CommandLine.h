// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wordrop {

// What the command line asks for before any window opens. The game reads no options of
// its own beyond --help and --version; Qt's own (-platform, -style, ...) pass through.
struct CommandLineAnswer {
    int status = 0;   // the exit status, when the program should end here
    std::string out;  // for stdout
    std::string err;  // for stderr
};

// Nothing when the game should start; otherwise what to print and how to end.
std::optional<CommandLineAnswer> answerCommandLine(const std::vector<std::string>& args);

}  // namespace wordrop
