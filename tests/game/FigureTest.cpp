// SPDX-License-Identifier: MIT
// The figure under the gallows, piece by piece, on the form's drawing surface.
#include <gtest/gtest.h>

#include "game/Figure.h"
#include "game/Form1Layout.h"
#include "window/Form.h"

namespace wordrop::game {
namespace {

using namespace wordrop::window;

class FigureTest : public ::testing::Test {
  protected:
    const std::vector<Primitive>& drawn() const { return form.drawing().primitives; }
    const CircleShape& circle(std::size_t k) const { return std::get<CircleShape>(drawn()[k]); }
    const Segment& line(std::size_t k) const { return std::get<LineShape>(drawn()[k]).segment; }

    Form form{form1Design(), form1Layout()};
};

TEST_F(FigureTest, PiecesAccumulateInBlackWhateverElseIsSet) {
    form.FillStyle(FillMode::Transparent);
    for (std::int16_t piece = 0; piece < kFigurePieces; ++piece) {
        drawFigurePiece(form, piece);
        ASSERT_EQ(drawn().size(), static_cast<std::size_t>(piece + 1));
    }
    for (const Primitive& p : drawn()) {
        const Colour colour = std::holds_alternative<CircleShape>(p)
                                  ? std::get<CircleShape>(p).colour
                                  : std::get<LineShape>(p).colour;
        EXPECT_EQ(colour, Black);
    }
}

TEST_F(FigureTest, NumbersOutsideTheFigureDrawNothing) {
    for (std::int16_t piece :
         {std::int16_t{-1}, std::int16_t{9}, std::int16_t{32767}, std::int16_t{-32768}}) {
        EXPECT_NO_THROW(drawFigurePiece(form, piece));
    }
    EXPECT_TRUE(drawn().empty());
}

// Each piece where the figure table puts it, in twips: a circle as centre and radius, a
// line as its two ends (radius 0).
struct Piece {
    Point from;
    Point to;  // a circle's centre again
    int radius;
};
constexpr Piece kTable[kFigurePieces] = {
    {{3000, 1600}, {3000, 1600}, 600},  // head
    {{2800, 1450}, {2800, 1450}, 75},   // left eye
    {{3200, 1450}, {3200, 1450}, 75},   // right eye
    {{2800, 1900}, {3200, 1900}, 0},    // mouth
    {{3000, 5000}, {3000, 2200}, 0},    // body
    {{3000, 5000}, {2000, 6500}, 0},    // left leg
    {{3000, 5000}, {4000, 6500}, 0},    // right leg
    {{3000, 3500}, {3800, 3000}, 0},    // right arm
    {{3000, 3500}, {2200, 3000}, 0},    // left arm
};

TEST_F(FigureTest, EachPieceStandsWhereTheTablePutsIt) {
    for (std::int16_t piece = 0; piece < kFigurePieces; ++piece) drawFigurePiece(form, piece);
    ASSERT_EQ(drawn().size(), std::size(kTable));
    for (std::size_t k = 0; k < std::size(kTable); ++k) {
        const Piece& want = kTable[k];
        if (want.radius > 0) {
            ASSERT_TRUE(std::holds_alternative<CircleShape>(drawn()[k])) << "piece " << k;
            EXPECT_EQ(circle(k).centre, want.from) << "piece " << k;
            EXPECT_EQ(circle(k).radius, want.radius) << "piece " << k;
        } else {
            ASSERT_TRUE(std::holds_alternative<LineShape>(drawn()[k])) << "piece " << k;
            EXPECT_EQ(line(k).from, want.from) << "piece " << k;
            EXPECT_EQ(line(k).to, want.to) << "piece " << k;
        }
    }
}

TEST_F(FigureTest, CirclesAreOutlinesWhileTheFillStyleIsTransparent) {
    form.FillStyle(FillMode::Transparent);
    drawFigurePiece(form, 0);
    EXPECT_EQ(circle(0).fill, FillMode::Transparent);
}

}  // namespace
}  // namespace wordrop::game
