// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace wordrop::window {

// A byte inside a UTF-8 sequence, never the start of a character.
constexpr bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The code point that starts at a byte, and the byte after it; a stray byte stands alone.
struct CodePoint {
    char32_t value = 0;
    std::size_t end = 0;
};
constexpr CodePoint codePointAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (at + length > text.size()) return {lead, at + 1};
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        value = (value << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
    }
    return {value, at + length};
}

// The start of the code point before a byte.
constexpr std::size_t previousCodePoint(std::string_view text, std::size_t at) {
    if (at == 0) return 0;
    do {
        --at;
    } while (at > 0 && isContinuationByte(text[at]));
    return at;
}

// A code point that belongs to the character before it: a combining mark, a variation
// selector, an emoji's skin tone or tag, or a zero-width joiner.
constexpr bool extendsCharacter(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) ||
           (c >= 0x1DC0 && c <= 0x1DFF) || (c >= 0x20D0 && c <= 0x20FF) || c == 0x200C ||
           c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xFE20 && c <= 0xFE2F) ||
           (c >= 0x1F3FB && c <= 0x1F3FF) || (c >= 0xE0020 && c <= 0xE007F) ||
           (c >= 0xE0100 && c <= 0xE01EF);
}

constexpr bool isRegionalIndicator(char32_t c) {
    return c >= 0x1F1E6 && c <= 0x1F1FF;
}

// Whether a cut at a byte boundary between two code points would split one character as
// a reader sees it: before a mark that extends it, after a joiner, inside a flag's pair.
constexpr bool insideCharacter(std::string_view text, std::size_t at) {
    if (at == 0 || at >= text.size()) return false;
    const char32_t next = codePointAt(text, at).value;
    const char32_t before = codePointAt(text, previousCodePoint(text, at)).value;
    if (extendsCharacter(next) || before == 0x200D) return true;
    if (!isRegionalIndicator(next) || !isRegionalIndicator(before)) return false;
    // Flags pair regional indicators from the first of a run: count those before the cut.
    std::size_t run = 0;
    for (std::size_t k = at; k > 0;) {
        k = previousCodePoint(text, k);
        if (!isRegionalIndicator(codePointAt(text, k).value)) break;
        ++run;
    }
    return run % 2 == 1;
}

// The text cut to at most `longest` bytes at a character boundary, with "..." where it
// was cut: never inside a UTF-8 sequence, nor between the code points of one character
// (an emoji joined by zero-width joiners, a letter and its accents, a flag).
inline std::string shortened(std::string_view text, std::size_t longest) {
    if (text.size() <= longest) return std::string(text);
    std::size_t end = longest;
    while (end > 0 && isContinuationByte(text[end])) --end;
    while (end > 0 && insideCharacter(text, end)) end = previousCodePoint(text, end);
    return std::string(text.substr(0, end)) + "...";
}

}  // namespace wordrop::window
