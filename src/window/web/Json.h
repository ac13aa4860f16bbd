// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace wordrop::window::web {

// Appends text as a JSON string literal. The model's text is UTF-8 already; only quotes,
// backslashes and control characters need escaping.
inline void appendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
}

}  // namespace wordrop::window::web
