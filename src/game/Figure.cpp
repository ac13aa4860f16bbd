// SPDX-License-Identifier: MIT
#include "game/Figure.h"

#include <array>
#include <variant>

#include "window/Form.h"

namespace wordrop::game {

using namespace wordrop::window;

namespace {

struct Round {
    Point centre;
    int radius;
};

using Piece = std::variant<Round, Segment>;

// In twips. The figure's axis is x = 3000, the left edge of the rope links; the head
// hangs just below the rope, which ends at y = 975.
constexpr std::array<Piece, kFigurePieces> kPieces{
    Round{{3000, 1600}, 600},             // head
    Round{{2800, 1450}, 75},              // left eye
    Round{{3200, 1450}, 75},              // right eye
    Segment{{2800, 1900}, {3200, 1900}},  // mouth
    Segment{{3000, 5000}, {3000, 2200}},  // body, up to the bottom of the head
    Segment{{3000, 5000}, {2000, 6500}},  // left leg
    Segment{{3000, 5000}, {4000, 6500}},  // right leg
    Segment{{3000, 3500}, {3800, 3000}},  // right arm
    Segment{{3000, 3500}, {2200, 3000}},  // left arm
};

struct PieceDrawer {
    Form& form;
    void operator()(const Round& r) const { form.Circle(r.centre, r.radius, Black); }
    void operator()(const Segment& s) const { form.Line(s.from, s.to, Black); }
};

}  // namespace

void drawFigurePiece(Form& form, std::int16_t piece) {
    if (piece < 0 || piece >= kFigurePieces) return;
    std::visit(PieceDrawer{form}, kPieces[static_cast<std::size_t>(piece)]);
}

}  // namespace wordrop::game
