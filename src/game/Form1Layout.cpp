// SPDX-License-Identifier: MIT
#include "game/Form1Layout.h"

#include <array>

namespace wordrop::game {

using namespace wordrop::window;

namespace {

using enum ControlKind;
using enum FontWeight;

constexpr Colour kButtonFace = Colour::system(SystemColour::ButtonFace);
constexpr Colour kButtonText = Colour::system(SystemColour::ButtonText);
constexpr Colour kWindowBackground = Colour::system(SystemColour::WindowBackground);
constexpr Colour kWindowText = Colour::system(SystemColour::WindowText);
constexpr Colour kDarkBlue = Colour::rgb(0, 0, 192);
constexpr Colour kRed = Colour::rgb(255, 0, 0);
constexpr Colour kWhite = Colour::rgb(255, 255, 255);
constexpr Colour kSilver = Colour::rgb(192, 192, 192);
constexpr Colour kBlue = Colour::rgb(0, 0, 255);
constexpr Colour kOlive = Colour::rgb(64, 64, 0);

constexpr FontDesign kBanner48Bold{"Times New Roman", 48, Bold};
constexpr FontDesign kBanner36Bold{"Times New Roman", 36, Bold};
constexpr FontDesign kWord{"Times New Roman", 26.25, Normal};
constexpr FontDesign kClosing{"Georgia", 48, Normal};
constexpr FontDesign kWrongLetter{"Georgia", 14.25, Normal};
constexpr FontDesign kLetter{"Courier New", 12, Bold};
constexpr FontDesign kAre{"Comic Sans MS", 15.75, Normal};
constexpr FontDesign kWordrop{"Comic Sans MS", 26.25, Normal};
constexpr FontDesign kPick{"Garamond", 21.75, Bold};
constexpr FontDesign kInput{"Garamond", 15.75, Bold};

struct LabelLook {
    FontDesign font;
    Colour back = kButtonFace;
    Colour fore = kButtonText;
    Alignment alignment = Alignment::Left;
};

constexpr ControlDesign label(std::string_view name, int index, Rect r, int padding,
                              std::string_view caption, LabelLook look, int tab, bool visible) {
    return {.kind = Label,
            .name = name,
            .index = index,
            .bounds = r,
            .visible = visible,
            .captionPadding = padding,
            .caption = caption,
            .font = look.font,
            .back = look.back,
            .fore = look.fore,
            .alignment = look.alignment,
            .tabIndex = tab};
}

constexpr LabelLook kBannerLook(FontDesign font, Alignment a) {
    return {font, kDarkBlue, kRed, a};
}
constexpr LabelLook kWrongLook{kWrongLetter, kButtonFace, kButtonText, Alignment::Centre};
constexpr LabelLook kLetterLook{kLetter, kButtonFace, kButtonText, Alignment::Centre};

// The nine boxes for wrong letters run down the left edge, 720 twips apart.
constexpr ControlDesign wrongBox(int k, Colour back = kButtonFace) {
    LabelLook look = kWrongLook;
    look.back = back;
    return label("lblWrong", k, {240, 120 + 720 * k, 375, 495}, 0, "", look, 16 + k, true);
}

// The letter of one word position, hidden until guessed.
constexpr ControlDesign letter(std::string_view name, int index, int left, std::string_view text,
                               int tab) {
    return label(name, index, {left, 6960, 375, 255}, 0, text, kLetterLook, tab, false);
}

// The blank under a letter: 360 twips long, 105 twips below the letter's bottom edge.
constexpr ControlDesign blank(std::string_view name, int x1) {
    const Segment ends{{x1, 7320}, {x1 + 360, 7320}};
    return {.kind = Line,
            .name = name,
            .bounds = {x1, 7320, 375, 15},
            .ends = ends,
            .visible = false,
            .fore = kWindowText};
}

constexpr ControlDesign shape(std::string_view name, Rect r, ShapeStyle style) {
    return {.kind = Shape,
            .name = name,
            .bounds = r,
            .visible = false,
            .back = kOlive,
            .fore = kOlive,
            .shape = style};
}

constexpr ControlDesign ropeLink(std::string_view name, int n) {
    return shape(name, {3000, 240 + 120 * (n - 4), 135, 135}, ShapeStyle::RoundedSquare);
}

constexpr FormDesign kForm1{"Form1", {10245, 8415}, kButtonFace};

// Front to back: where two controls overlap, the earlier one is drawn over the later.
constexpr std::array kForm1Controls{
    ControlDesign{.kind = CommandButton,
                  .name = "cmdOK",
                  .bounds = {6120, 3360, 1935, 375},
                  .visible = false,
                  .caption = "&Ok!",
                  .font = kInput,
                  .back = kBlue,
                  .fore = kButtonText,
                  .tabIndex = 0},
    ControlDesign{.kind = TextBox,
                  .name = "txtLetter",
                  .bounds = {6720, 2640, 735, 510},
                  .visible = false,
                  .font = kInput,
                  .back = kWindowBackground,
                  .fore = kWindowText,
                  .tabIndex = 4},
    label("lblProgram", -1, {1560, 6360, 7935, 495}, 0, "The Word was: PROGRAMMING",
          {kWord, kDarkBlue, kWhite, Alignment::Centre}, 29, false),
    label("lblWin", -1, {0, 0, 10335, 8415}, 144, "You Win!!!",
          kBannerLook(kBanner48Bold, Alignment::Left), 28, false),
    label("lblEnd2", -1, {0, 3240, 10335, 7815}, 2, "and Try Again!",
          kBannerLook(kClosing, Alignment::Centre), 27, false),
    label("lblEnd", -1, {0, 0, 10335, 3735}, 84, "Please Exit",
          kBannerLook(kClosing, Alignment::Centre), 26, false),
    label("lblLoser", -1, {0, 0, 10215, 8415}, 223, "You Lose!!!",
          kBannerLook(kBanner36Bold, Alignment::Centre), 25, false),
    wrongBox(8),
    wrongBox(7),
    wrongBox(6),
    wrongBox(5),
    wrongBox(4),
    wrongBox(3),
    wrongBox(2),
    wrongBox(1),
    wrongBox(0, kSilver),
    letter("lblR", 0, 5520, "R", 15),
    letter("lblO", -1, 6000, "O", 14),
    letter("lblG", 0, 6480, "G", 13),
    letter("lblA", -1, 7440, "A", 12),
    letter("lblR", 1, 6960, "R", 11),
    letter("lblM", 0, 7920, "M", 10),
    letter("lblM", 1, 8400, "M", 9),
    letter("lblI", -1, 8880, "I", 8),
    letter("lblN", -1, 9360, "N", 7),
    letter("lblG", 1, 9840, "G", 6),
    blank("Line11", 9840),
    letter("lblP", -1, 5040, "P", 5),
    blank("Line10", 5520),
    blank("Line9", 6000),
    blank("Line8", 6480),
    blank("Line7", 6960),
    blank("Line6", 7440),
    blank("Line5", 7920),
    blank("Line4", 8400),
    blank("Line3", 8880),
    blank("Line2", 9360),
    blank("Line1", 5040),
    label("lblPick", -1, {6000, 2160, 2295, 375}, 0, "Pick a letter",
          {kPick, kSilver, kButtonText, Alignment::Left}, 3, false),
    label("lblAre", -1, {5160, 120, 3975, 495}, 0, "Are you ready to play",
          {kAre, kButtonText, kWhite, Alignment::Centre}, 2, false),
    label("lblwordrop", -1, {5520, 720, 3255, 855}, 0, "Wordrop??",
          {kWordrop, Black, kWhite, Alignment::Centre}, 1, false),
    ropeLink("shp4", 4),
    ropeLink("shp8", 8),
    ropeLink("shp6", 6),
    ropeLink("shp5", 5),
    ropeLink("shp7", 7),
    ropeLink("shp9", 9),
    shape("shp3", {1440, 6840, 3375, 495}, ShapeStyle::Rectangle),
    shape("shp2", {840, 240, 615, 7095}, ShapeStyle::Rectangle),
    shape("shp1", {840, 0, 2655, 255}, ShapeStyle::Rectangle),
};

static_assert(kForm1Controls.size() == 50);

}  // namespace

const FormDesign& form1Design() {
    return kForm1;
}

std::span<const ControlDesign> form1Layout() {
    return kForm1Controls;
}

}  // namespace wordrop::game
