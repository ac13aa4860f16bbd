// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace wordrop::window::web {

// Small, as every face's Latin characters and pairs come with the program.
struct GlyphAdvance {
    char16_t code = 0;
    std::int16_t units = 0;
};

// Two characters drawn nearer together (or further apart) than their advances: kerning.
struct KernPair {
    char16_t first = 0;
    char16_t second = 0;
    std::int16_t units = 0;
};

// A face's widths as the build shaped them from its file, in the face's units: the same
// in every browser, where each engine's own measure rounds its own way.
struct FaceWidths {
    std::span<const GlyphAdvance> advances;  // by code point
    std::span<const KernPair> pairs;         // by the first character, then the second

    // The width of a text, or none where the face has no width for one of its characters
    // (a face of the browser's then draws it, and only the browser can measure it).
    [[nodiscard]] std::optional<double> of(std::string_view utf8) const;
    // Where each of its characters starts, kerned; empty where the face lacks one.
    [[nodiscard]] std::vector<double> offsets(std::string_view utf8) const;
    [[nodiscard]] constexpr bool sorted() const;
};

constexpr bool FaceWidths::sorted() const {
    for (std::size_t i = 1; i < advances.size(); ++i)
        if (advances[i - 1].code >= advances[i].code) return false;
    for (std::size_t i = 1; i < pairs.size(); ++i) {
        const KernPair& a = pairs[i - 1];
        const KernPair& b = pairs[i];
        if (a.first > b.first || (a.first == b.first && a.second >= b.second)) return false;
    }
    return true;
}

}  // namespace wordrop::window::web
