// SPDX-License-Identifier: MIT
#include "window/web/FaceWidths.h"

#include <algorithm>
#include <utility>

#include "window/Utf8.h"

namespace wordrop::window::web {

namespace {

const GlyphAdvance* advanceOf(std::span<const GlyphAdvance> advances, char32_t code) {
    const auto found = std::lower_bound(
        advances.begin(), advances.end(), code,
        [](const GlyphAdvance& glyph, char32_t wanted) { return glyph.code < wanted; });
    return found != advances.end() && found->code == code ? &*found : nullptr;
}

int kerning(std::span<const KernPair> pairs, char32_t first, char32_t second) {
    using Key = std::pair<char32_t, char32_t>;
    const auto found = std::lower_bound(
        pairs.begin(), pairs.end(), Key(first, second),
        [](const KernPair& pair, Key wanted) { return Key(pair.first, pair.second) < wanted; });
    return found != pairs.end() && found->first == first && found->second == second ? found->units
                                                                                    : 0;
}

// The text's width, telling `each` where every character starts, kerned; none where the
// face lacks a character.
template <typename Each>
std::optional<double> walk(const FaceWidths& face, std::string_view utf8, Each each) {
    double units = 0;
    char32_t before = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const CodePoint c = codePointAt(utf8, at);
        const GlyphAdvance* glyph = advanceOf(face.advances, c.value);
        if (glyph == nullptr) return std::nullopt;
        units += kerning(face.pairs, before, c.value);
        each(units);
        units += glyph->units;
        before = c.value;
        at = c.end;
    }
    return units;
}

}  // namespace

std::optional<double> FaceWidths::of(std::string_view utf8) const {
    return walk(*this, utf8, [](double) {});
}

std::vector<double> FaceWidths::offsets(std::string_view utf8) const {
    std::vector<double> starts;
    if (!walk(*this, utf8, [&](double units) { starts.push_back(units); })) return {};
    return starts;
}

}  // namespace wordrop::window::web
