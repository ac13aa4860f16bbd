// SPDX-License-Identifier: MIT
// Label captions laid out the way a label shows them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/LineBreaker.h"

namespace wordrop::window {
namespace {

// Every character one unit wide (UTF-8 continuation bytes take no room), lines ten high.
class Monospace : public TextMeasure {
  public:
    double advance(std::string_view text) const override {
        measuredBytes += text.size();
        double width = 0;
        for (char c : text) width += (static_cast<unsigned char>(c) & 0xC0) == 0x80 ? 0 : 1;
        return width;
    }
    double lineHeight() const override { return 10; }
    mutable std::size_t measuredBytes = 0;
};

std::vector<std::string> texts(const std::vector<LaidLine>& lines) {
    std::vector<std::string> result;
    for (const LaidLine& line : lines) result.emplace_back(line.text);
    return result;
}

using Texts = std::vector<std::string>;

TEST(LineBreakerTest, ShortCaptionIsOneLineAtTheTop) {
    const auto lines = layOutCaption("Pick a letter", 20, 30, Alignment::Left, Monospace{});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (LaidLine{"Pick a letter", 0, 0}));
}

TEST(LineBreakerTest, BreaksAtSpacesWhereTheTextIsTooWide) {
    const auto lines =
        layOutCaption("The Word was: PROGRAMMING", 14, 100, Alignment::Left, Monospace{});
    EXPECT_EQ(texts(lines), (Texts{"The Word was:", "PROGRAMMING"}));
    EXPECT_EQ(lines[1].y, 10);
}

TEST(LineBreakerTest, LeadingSpacesTakeRoomAndWrap) {
    // Twelve spaces in a box eight wide: a full line of spaces, then four more before
    // the words, which therefore stand on the second line.
    const std::string caption = std::string(12, ' ') + "You Win";
    const auto lines = layOutCaption(caption, 8, 100, Alignment::Left, Monospace{});
    EXPECT_EQ(texts(lines), (Texts{std::string(8, ' '), "   You", "Win"}));
}

TEST(LineBreakerTest, CentredLinesShareTheirSpareRoom) {
    const auto lines = layOutCaption("ab cdef", 6, 100, Alignment::Centre, Monospace{});
    ASSERT_EQ(texts(lines), (Texts{"ab", "cdef"}));
    EXPECT_EQ(lines[0].x, 2);
    EXPECT_EQ(lines[1].x, 1);
}

TEST(LineBreakerTest, LinesBelowTheBottomEdgeAreCutOff) {
    const auto lines = layOutCaption("a b c d e f", 1, 25, Alignment::Left, Monospace{});
    EXPECT_EQ(texts(lines), (Texts{"a", "b", "c"}));  // the third is partly visible
}

// Centred, it shows its middle and is cut at both edges; left-aligned, its start.
TEST(LineBreakerTest, WordWiderThanTheLabelStandsAloneAndIsCut) {
    const auto lines = layOutCaption("ab PROGRAMMING cd", 5, 100, Alignment::Centre, Monospace{});
    EXPECT_EQ(texts(lines), (Texts{"ab", "PROGRAMMING", "cd"}));
    EXPECT_EQ(lines[1].x, -3);
    const auto left = layOutCaption("PROGRAMMING", 5, 100, Alignment::Left, Monospace{});
    EXPECT_EQ(left[0].x, 0);
    // A long one is measured in pieces, and only the pieces in the label are kept.
    const std::string word = std::string(1000, 'a') + "MIDDLE" + std::string(1000, 'z');
    const auto centred = layOutCaption(word, 6, 100, Alignment::Centre, Monospace{});
    ASSERT_EQ(centred.size(), 1u);
    const std::size_t at = static_cast<std::size_t>(-centred[0].x);
    EXPECT_EQ(centred[0].text.substr(at, 6), "MIDDLE");
    EXPECT_LT(centred[0].text.size(), 700u);
}

TEST(LineBreakerTest, LineBreaksInTheCaptionStartNewLines) {
    const auto lines = layOutCaption("a\nb\r\nc\rd\n", 10, 100, Alignment::Left, Monospace{});
    EXPECT_EQ(texts(lines), (Texts{"a", "b", "c", "d"}));
}

TEST(LineBreakerTest, MarkupAndControlCharactersAreKeptAsText) {
    const std::string caption{"<b>x</b>&amp;\t\0", 15};
    const auto lines = layOutCaption(caption, 100, 10, Alignment::Left, Monospace{});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, caption);
}

TEST(LineBreakerTest, EmptyCaptionOrBoxLaysOutNothing) {
    EXPECT_TRUE(layOutCaption("", 10, 10, Alignment::Left, Monospace{}).empty());
    EXPECT_TRUE(layOutCaption("x", 0, 10, Alignment::Left, Monospace{}).empty());
    EXPECT_TRUE(layOutCaption("x", 10, 0, Alignment::Left, Monospace{}).empty());
}

TEST(LineBreakerTest, NarrowerThanASpaceStillMovesOn) {
    // Each line holds one space, and the space after it is where it breaks.
    const auto lines = layOutCaption("   ", 0.5, 100, Alignment::Left, Monospace{});
    EXPECT_EQ(texts(lines), (Texts{" ", " "}));
}

// A megabyte caption costs about what its visible lines cost; a centred word wider than
// the label is measured once, whole, to find its middle.
TEST(LineBreakerTest, HugeCaptionsMeasureOnlyWhatShows) {
    const std::size_t megabyte = 1 << 20;
    for (const std::string& caption : {std::string(megabyte, 'x'), std::string(megabyte, ' '), [&] {
                                           std::string words;
                                           while (words.size() < megabyte) words += "word ";
                                           return words;
                                       }()}) {
        Monospace measure;
        const auto lines = layOutCaption(caption, 25, 33, Alignment::Centre, measure);
        EXPECT_LE(lines.size(), 4u);
        EXPECT_LT(measure.measuredBytes, caption[0] == 'x' ? megabyte + 2000 : 2000u);
        Monospace left;
        static_cast<void>(layOutCaption(caption, 25, 33, Alignment::Left, left));
        EXPECT_LT(left.measuredBytes, 2000u);
    }
}

TEST(LineBreakerTest, LongWordsAreNotSplitInsideACharacter) {
    std::string word;
    for (int i = 0; i < 300; ++i) word += "\xc3\xa9";  // é
    const auto lines = layOutCaption(word, 1000, 10, Alignment::Left, Monospace{});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, word);
}

}  // namespace
}  // namespace wordrop::window
