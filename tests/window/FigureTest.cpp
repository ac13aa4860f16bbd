// The figure under the gallows, piece by piece, on the form's drawing surface.
#include <gtest/gtest.h>

#include <cmath>

#include "window/Figure.h"
#include "window/Form.h"
#include "window/Form1Layout.h"

namespace wordrop::window {
namespace {

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

// The pieces fit together: the figure hangs from the rope, the eyes and mouth sit inside
// the head, the body joins the head, and legs and arms start on the body.
TEST_F(FigureTest, PiecesFitTogether) {
    for (std::int16_t piece = 0; piece < kFigurePieces; ++piece) drawFigurePiece(form, piece);
    const CircleShape& head = circle(0);
    EXPECT_EQ(head.centre.y - head.radius, 1000) << "just below the rope, which ends at 975";
    EXPECT_EQ(head.centre.x, 3000) << "on the rope's axis";
    for (std::size_t eye : {1u, 2u}) {
        const CircleShape& e = circle(eye);
        EXPECT_LT(std::hypot(e.centre.x - head.centre.x, e.centre.y - head.centre.y) + e.radius,
                  head.radius);
    }
    EXPECT_LT(circle(1).centre.x, circle(2).centre.x) << "the left eye first";
    const Segment mouth = line(3);
    EXPECT_EQ(mouth.from.y, mouth.to.y);
    EXPECT_GT(mouth.from.y, head.centre.y);
    const Segment body = line(4);
    EXPECT_EQ(body.to, (Point{3000, head.centre.y + head.radius})) << "the body meets the head";
    for (std::size_t leg : {5u, 6u}) EXPECT_EQ(line(leg).from, body.from);
    EXPECT_LT(line(5).to.x, 3000) << "the left leg first";
    EXPECT_GT(line(6).to.x, 3000);
    for (std::size_t arm : {7u, 8u}) {
        EXPECT_EQ(line(arm).from.x, 3000);
        EXPECT_GT(line(arm).from.y, body.to.y);
        EXPECT_LT(line(arm).from.y, body.from.y);
    }
    EXPECT_GT(line(7).to.x, 3000) << "the right arm is the eighth piece";
    EXPECT_LT(line(8).to.x, 3000) << "the left arm is the ninth";
}

TEST_F(FigureTest, CirclesAreOutlinesWhileTheFillStyleIsTransparent) {
    form.FillStyle(FillMode::Transparent);
    drawFigurePiece(form, 0);
    EXPECT_EQ(circle(0).fill, FillMode::Transparent);
}

}  // namespace
}  // namespace wordrop::window
