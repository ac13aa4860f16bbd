// SPDX-License-Identifier: MIT
// The window as painted: every screen read back pixel by pixel.
#include <QApplication>

#include "PaintMeter.h"
#include "ViewFixture.h"

namespace wordrop::testing {
namespace {

using window::Rect;

// Whether any pixel within two logical pixels of a point (in logical pixels) is black.
bool blackNear(const QImage& image, double x, double y) {
    for (double dy = -2; dy <= 2; dy += 0.5) {
        for (double dx = -2; dx <= 2; dx += 0.5) {
            if (ViewTest::pixel(image, x + dx, y + dy) == kBlack) return true;
        }
    }
    return false;
}

constexpr Rect kWholeWindow{0, 0, 10245, 8415};
constexpr Rect kFigureArea{1900, 950, 1300, 5600};  // left of the banners' text

TEST_F(ViewTest, StartScreenIsPlainButtonFace) {
    const QImage image = grab();
    ASSERT_EQ(image.size(), QSize(683, 561) * image.devicePixelRatio());
    EXPECT_EQ(countOther(image, kWholeWindow, kButtonFace), 0);
}

TEST_F(ViewTest, FirstClickPaintsTheBoard) {
    clickBackground();
    ASSERT_EQ(game.wrongCount(), 0);
    ASSERT_TRUE(visible(game, "cmdOK"));
    const QImage image = grab();
    EXPECT_EQ(at(image, 4500, 4000), kViolet);
    EXPECT_EQ(at(image, 1100, 4000), kOlive);  // the post
    EXPECT_EQ(at(image, 3000, 7000), kOlive);  // the base
    // The rope hangs without a gap from the beam to its last link.
    for (int y = 240; y < 975; y += 15) EXPECT_EQ(at(image, 3060, y), kOlive) << "y=" << y;
    EXPECT_EQ(at(image, 3060, 1000), kViolet);

    const Rect wordrop = boundsOf(game, "lblwordrop");
    EXPECT_GT(count(image, wordrop, kWhite), 100);
    EXPECT_GT(count(image, wordrop, kBlack), wordrop.width * wordrop.height / 225 / 2);

    const Rect pick = boundsOf(game, "lblPick");
    EXPECT_GT(count(image, pick, kViolet), pick.width * pick.height / 225 / 3);
    EXPECT_GT(countOther(image, pick, kViolet), 100);  // the prompt's text

    const Rect ok = boundsOf(game, "cmdOK");
    EXPECT_GT(count(image, ok, kBlue), ok.width * ok.height / 225 / 2);
    // The blanks: one-pixel black lines under each letter's place.
    EXPECT_EQ(at(image, 5100, 7320), kBlack);
    EXPECT_EQ(at(image, 9900, 7320), kBlack);
    EXPECT_EQ(at(image, 5100, 7350), kViolet);
}

TEST_F(ViewTest, ARevealedLetterShowsAboveItsBlank) {
    clickBackground();
    const Rect g = boundsOf(game, "lblG", 1);
    EXPECT_EQ(countOther(grab(), g, kViolet), 0);
    guess(game, "g");
    EXPECT_GT(count(grab(), g, kBlack), 10);
}

TEST_F(ViewTest, FigureGrowsPieceByPiece) {
    clickBackground();
    guess(game, "x");
    QImage image = grab();
    EXPECT_TRUE(blackNear(image, 200, 66.7)) << "top of the head";
    EXPECT_TRUE(blackNear(image, 160, 106.7)) << "left of the head";
    EXPECT_EQ(pixel(image, 200, 106), kViolet) << "the head is an outline";
    EXPECT_FALSE(blackNear(image, 186.7, 96.7)) << "no eye yet";

    guessAll(game, {"x", "x", "x"});
    image = grab();
    EXPECT_TRUE(blackNear(image, 181.7, 96.7)) << "left eye";
    EXPECT_TRUE(blackNear(image, 218.3, 96.7)) << "right eye";
    EXPECT_EQ(pixel(image, 187, 97), kViolet) << "the eye is an outline";
    EXPECT_TRUE(blackNear(image, 200, 126.7)) << "mouth";

    guessAll(game, {"x", "x", "x", "x"});
    image = grab();
    EXPECT_TRUE(blackNear(image, 200, 233.3)) << "body";
    EXPECT_TRUE(blackNear(image, 166.7, 383.3)) << "left leg";
    EXPECT_TRUE(blackNear(image, 233.3, 383.3)) << "right leg";
    EXPECT_TRUE(blackNear(image, 226.7, 216.7)) << "right arm";
    EXPECT_FALSE(blackNear(image, 173.3, 216.7)) << "the left arm is the ninth piece";

    guess(game, "x");
    ASSERT_TRUE(visible(game, "lblLoser"));
    EXPECT_EQ(countOther(grab(), kFigureArea, kViolet), 0) << "the loss erases the figure";
}

TEST_F(ViewTest, WinBannerShowsTheWordInFrontAndItsTextOnALowerLine) {
    clickBackground();
    guessAll(game, kWholeWord);
    const QImage image = grab();
    EXPECT_EQ(count(image, {0, 0, 10245, 3000}, kRed), 0) << "the banner's first lines are spaces";
    EXPECT_GT(count(image, {0, 3000, 10245, 3300}, kRed), 200);
    const Rect word = boundsOf(game, "lblProgram");
    EXPECT_GT(count(image, word, kWhite), 200);
    EXPECT_GT(count(image, word, kDarkBlue), 200);
    EXPECT_EQ(count(image, kWholeWindow, kViolet), 0) << "the banner covers the board";
    EXPECT_EQ(count(image, kWholeWindow, kOlive), 0);
}

TEST_F(ViewTest, LoseBannerIsBlackTextOnViolet) {
    clickBackground();
    guessAll(game, kNineWrong);
    const QImage image = grab();
    EXPECT_GT(count(image, kWholeWindow, kViolet),
              683 * 561 * 9 / 10 * image.devicePixelRatio() * image.devicePixelRatio());
    EXPECT_GT(count(image, kWholeWindow, kBlack), 200);
    EXPECT_EQ(count(image, kWholeWindow, kRed), 0);
    EXPECT_EQ(count(image, {0, 0, 10245, 2000}, kBlack), 0) << "the words stand lower down";
}

TEST_F(ViewTest, ClosingScreenAfterALossIsRedOnViolet) {
    clickBackground();
    guessAll(game, kNineWrong);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(300, 300));
    ASSERT_TRUE(visible(game, "lblEnd"));
    const QImage image = grab();
    EXPECT_GT(count(image, kWholeWindow, kRed), 500);
    EXPECT_GT(count(image, kWholeWindow, kViolet),
              683 * 561 * 8 / 10 * image.devicePixelRatio() * image.devicePixelRatio());
    EXPECT_EQ(count(image, kWholeWindow, kDarkBlue), 0);
}

TEST_F(ViewTest, ClosingScreenAfterAWinIsRedOnDarkBlue) {
    clickBackground();
    guessAll(game, kWholeWord);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_TRUE(visible(game, "lblEnd"));
    const QImage image = grab();
    EXPECT_GT(count(image, kWholeWindow, kRed), 500);
    EXPECT_GT(count(image, kWholeWindow, kDarkBlue),
              683 * 561 * 8 / 10 * image.devicePixelRatio() * image.devicePixelRatio());
    EXPECT_EQ(count(image, kWholeWindow, kViolet), 0);
    // "Please Exit" stands clear above the lower label, which starts at y = 3240.
    EXPECT_GT(count(image, {0, 2000, 10245, 1240}, kRed), 200);
}

TEST_F(ViewTest, CaptionsAreNeverReadAsMarkup) {
    clickBackground();
    guess(game, "x");
    guess(game, "<b>");  // as markup: an empty bold run, nothing to see
    const QImage image = grab();
    const int plain = countOther(image, boundsOf(game, "lblWrong", 0), kViolet);
    const int tagged = countOther(image, boundsOf(game, "lblWrong", 1), kViolet);
    EXPECT_GT(plain, 5);
    EXPECT_GT(tagged, plain / 2) << "the tag must be drawn as text";
}

TEST_F(ViewTest, AMegabytePasteIsKeptWholeAndPainted) {
    clickBackground();
    const QString huge(1 << 20, QChar('w'));
    textBox()->setText(huge);  // as a paste does
    QTest::mouseClick(button(), Qt::LeftButton);
    EXPECT_EQ(control(game, "lblWrong", 0).caption, huge.toStdString());
    EXPECT_EQ(textBox()->text(), "");
    EXPECT_GT(countOther(grab(), boundsOf(game, "lblWrong", 0), kViolet), 20);
}

}  // namespace
}  // namespace wordrop::testing

namespace wordrop::testing {
namespace {

// Painted at the screen's own density: at QT_SCALE_FACTOR=2 every logical pixel is four
// device pixels, lines stay one logical pixel thick, and text is drawn at the doubled
// size rather than scaled up from a bitmap.
TEST_F(ViewTest, PaintedAtTheScreensDensity) {
    clickBackground();
    const QImage image = grab();
    const int scale = static_cast<int>(image.devicePixelRatio());
    EXPECT_EQ(scale, qEnvironmentVariable("QT_SCALE_FACTOR", "1").toInt());
    EXPECT_EQ(image.size(), QSize(683 * scale, 561 * scale));

    // The blank under the first letter: logical row 488, as many device rows as the scale.
    const int x = 340 * scale;
    EXPECT_EQ(image.pixelColor(x, 488 * scale - 1), kViolet);
    for (int row = 0; row < scale; ++row) EXPECT_EQ(image.pixelColor(x, 488 * scale + row), kBlack);
    EXPECT_EQ(image.pixelColor(x, 489 * scale), kViolet);

    if (scale == 1) return;
    // Text edges fall inside logical pixels: an upscaled picture would have none.
    const Rect word = boundsOf(game, "lblwordrop");
    int mixedBlocks = 0;
    for (int y = word.top / 15 * scale; y < word.bottom() / 15 * scale; y += scale) {
        for (int x0 = word.left / 15 * scale; x0 < word.right() / 15 * scale; x0 += scale) {
            const QColor first = image.pixelColor(x0, y);
            bool mixed = false;
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx)
                    mixed |= image.pixelColor(x0 + dx, y + dy) != first;
            }
            mixedBlocks += mixed;
        }
    }
    EXPECT_GT(mixedBlocks, 100);
}

}  // namespace
}  // namespace wordrop::testing

namespace wordrop::testing {
namespace {

// A guess repaints what it changes (its box or letters, the piece, the emptied text box),
// not the window.
TEST_F(ViewTest, AGuessRepaintsOnlyWhatItChanges) {
    clickBackground();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    PaintMeter painted;
    view.installEventFilter(&painted);
    for (const char* text : {"x", "p", "r"}) {
        painted.area = 0;
        guess(game, text);
        QApplication::processEvents();
        EXPECT_GT(painted.area, 0) << text;
        EXPECT_LT(painted.area, 683 * 561 / 20) << text;
    }
}

}  // namespace
}  // namespace wordrop::testing
