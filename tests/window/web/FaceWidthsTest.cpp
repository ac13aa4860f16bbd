// SPDX-License-Identifier: MIT
// A text's width from a face's own advances and kerning pairs, as the page lays text out.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>

#include "window/web/FaceWidths.h"

namespace wordrop::window::web {
namespace {

constexpr std::array<GlyphAdvance, 4> kAdvances{
    {{u'A', 1000}, {u'V', 900}, {u'e', 600}, {u'é', 500}}};
constexpr std::array<KernPair, 2> kPairs{{{u'A', u'V', -100}, {u'V', u'A', -80}}};
constexpr FaceWidths kFace{kAdvances, kPairs};
static_assert(kFace.sorted());

TEST(FaceWidthsTest, AdvancesAndPairsInTheirOrder) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"", 0},
        {"AVA", 1000 + 900 - 100 + 1000 - 80},  // each pair kerned by its own order
        {"eA", 600 + 1000},
        {"Aé", 1000 + 500},            // two bytes, one character
        {"Ae\xcc\x81", std::nullopt},  // a combining accent the face lacks
        {"AxV", std::nullopt},         // the browser measures what the face lacks
    };
    for (const auto& [text, width] : cases) EXPECT_EQ(kFace.of(text), width) << text;
    EXPECT_EQ(kFace.offsets("VAé"), (std::vector<double>{0, 900 - 80, 900 - 80 + 1000}));
    EXPECT_EQ(kFace.offsets("Ax"), std::vector<double>{});
}

}  // namespace
}  // namespace wordrop::window::web
