// SPDX-License-Identifier: MIT
#include "KeyRows.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace wordrop::testing {

namespace {

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> found;
    for (std::string word; in >> word;) {
        if (word != "-") found.push_back(word);
    }
    return found;
}

std::string trimmed(const std::string& text) {
    const auto start = text.find_first_not_of(' ');
    return start == std::string::npos ? ""
                                      : text.substr(start, text.find_last_not_of(' ') + 1 - start);
}

}  // namespace

std::vector<KeyRow> keyRows(const std::string& path) {
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot read " + path);
    std::vector<KeyRow> rows;
    int line = 0;
    for (std::string text; std::getline(file, text);) {
        ++line;
        if (trimmed(text).empty() || text.starts_with('#')) continue;
        std::vector<std::string> cells;
        std::istringstream in(text);
        for (std::string cell; std::getline(in, cell, '|');) cells.push_back(cell);
        if (cells.size() != 4)
            throw std::runtime_error(path + ":" + std::to_string(line) + ": not 4 cells");
        rows.push_back(
            {line, words(cells[0]), trimmed(cells[1]), words(cells[2]), trimmed(cells[3])});
    }
    return rows;
}

}  // namespace wordrop::testing
