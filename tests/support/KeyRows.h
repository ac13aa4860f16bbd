// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace wordrop::testing {

// A row of the keys-by-screen table that every front end plays: how to bring a new
// window to a screen, where to put the focus, the keys to press, and the summary after.
struct KeyRow {
    int line = 0;
    std::vector<std::string> setup;
    std::string focus;
    std::vector<std::string> keys;
    std::string summary;
};

// The rows of the table; a malformed row is an exception naming its line.
std::vector<KeyRow> keyRows(const std::string& path);

}  // namespace wordrop::testing
