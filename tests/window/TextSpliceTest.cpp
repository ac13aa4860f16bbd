// SPDX-License-Identifier: MIT
// Edits as the page tells of them, in UTF-16 units kept at each end, made into splices of
// the game's UTF-8 text, and played into the box through the midend.
#include <gtest/gtest.h>

#include "TextFrontEnd.h"
#include "window/TextSplice.h"

namespace wordrop::testing {
namespace {

using window::spliceOfUnits;

// "a", "é", "😀" and "z": 1, 1, 2 and 1 units; 1, 2, 4 and 1 bytes.
constexpr std::string_view kText = "a\u00e9\U0001F600z";

TEST(TextSpliceTest, UnitsBecomeBytesFromTheNearerEnd) {
    struct Case {
        std::size_t front, removed, back;
        std::optional<std::pair<std::size_t, std::size_t>> bytes;  // from, removed
    };
    const Case cases[] = {
        {0, 0, 5, {{0, 0}}},      // before all
        {1, 1, 3, {{1, 2}}},      // é, found from the front
        {2, 2, 1, {{3, 4}}},      // the emoji, found from the back
        {5, 0, 0, {{8, 0}}},      // after all
        {0, 5, 0, {{0, 8}}},      // all of it
        {3, 0, 2, std::nullopt},  // between the emoji's halves, from the front
        {2, 1, 2, std::nullopt},  // half the emoji
        {1, 0, 9, {{1, 0}}},      // the far end is the editor's word, and not walked
        {0, 9, 0, std::nullopt},  // more removed than the text holds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.front << " " << c.removed << " " << c.back);
        const auto splice = spliceOfUnits(kText, c.front, c.removed, c.back, "x");
        ASSERT_EQ(splice.has_value(), c.bytes.has_value());
        if (!splice) continue;
        EXPECT_EQ(std::pair(splice->from, splice->removed), *c.bytes);
        EXPECT_EQ(splice->inserted, "x");
    }
}

// Each edit changes only its part of the text, the game's own write of the box included,
// and Ok judges what the edits left.
TEST(TextSpliceTest, EditsThroughTheMidendMakeTheGuess) {
    TextFrontEnd window;
    window.press("F2");
    window.focus("txtLetter");
    const window::ControlId box = *window.game().form().find("txtLetter");
    const auto edit = [&](std::size_t from, std::size_t removed, std::string inserted) {
        static_cast<void>(window.midend().edit(box, {from, removed, std::move(inserted)}));
    };
    edit(0, 0, "qz");      // "qz"
    edit(1, 0, "\u00e9");  // "qéz"
    edit(1, 2, "");        // "qz"
    edit(2, 0, "x");       // "qzx"
    edit(0, 1, "");        // "zx"
    edit(7, 0, "lost");    // does not fit: nothing
    window.press("Enter");
    EXPECT_EQ(window.summary(), "1 wrong guess: zx. Word: _ _ _ _ _ _ _ _ _ _ _");
    edit(0, 0, "p");  // into the box the game emptied
    window.press("Enter");
    EXPECT_EQ(window.summary(), "1 wrong guess: zx. Word: P _ _ _ _ _ _ _ _ _ _");
}

}  // namespace
}  // namespace wordrop::testing
