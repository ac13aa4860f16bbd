// SPDX-License-Identifier: MIT
#include "window/TextSplice.h"

#include "window/Utf8.h"

namespace wordrop::window {

namespace {

// UTF-16 units of the code point a UTF-8 lead byte starts: two past the Basic Multilingual
// Plane, else one.
std::size_t unitsOf(char lead) {
    return static_cast<unsigned char>(lead) >= 0xF0 ? 2 : 1;
}

// The byte that many units on from a byte, or nothing if the text ends or a character
// would split first.
std::optional<std::size_t> forward(std::string_view text, std::size_t at, std::size_t units) {
    while (units > 0) {
        if (at >= text.size() || unitsOf(text[at]) > units) return std::nullopt;
        units -= unitsOf(text[at]);
        at = codePointAt(text, at).end;
    }
    return at;
}

// The byte that many units back from a byte, likewise.
std::optional<std::size_t> backward(std::string_view text, std::size_t at, std::size_t units) {
    while (units > 0) {
        if (at == 0) return std::nullopt;
        at = previousCodePoint(text, at);
        if (unitsOf(text[at]) > units) return std::nullopt;
        units -= unitsOf(text[at]);
    }
    return at;
}

}  // namespace

std::optional<TextSplice> spliceOfUnits(std::string_view text, std::size_t front,
                                        std::size_t removed, std::size_t back,
                                        std::string inserted) {
    std::optional<std::size_t> start;
    std::optional<std::size_t> end;
    if (front <= back) {
        start = forward(text, 0, front);
        if (start) end = forward(text, *start, removed);
    } else {
        end = backward(text, text.size(), back);
        if (end) start = backward(text, *end, removed);
    }
    if (!start || !end) return std::nullopt;
    return TextSplice{*start, *end - *start, std::move(inserted)};
}

}  // namespace wordrop::window
