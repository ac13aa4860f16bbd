// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace wordrop::window {

// A byte inside a UTF-8 sequence, never the start of a character.
constexpr bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The text cut to at most `longest` bytes at a character boundary, with "..." where it
// was cut.
inline std::string shortened(std::string_view text, std::size_t longest) {
    if (text.size() <= longest) return std::string(text);
    std::size_t end = longest;
    while (end > 0 && isContinuationByte(text[end])) --end;
    return std::string(text.substr(0, end)) + "...";
}

}  // namespace wordrop::window
