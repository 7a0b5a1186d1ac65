// The banner's three phases, driven tick by tick on a small strip and a small bitmap whose every
// pixel has its own colour, so each check can tell which bitmap column landed where.
#include "app/banner/BannerAnimation.h"

#include <QImage>

#include <gtest/gtest.h>

namespace lumetra {
namespace {

constexpr int StripW = 20; // W1
constexpr int StripH = 6;  // H1, taller than the bitmap
constexpr int BitmapW = 8; // W2
constexpr int BitmapH = 4;
constexpr Colour Back = rgb(1, 2, 3);

Colour bitmapColour(int column, int row)
{
    return rgb(10 + 20 * column, 7 + 40 * row, 99);
}

QImage makeBitmap(int width = BitmapW, int height = BitmapH)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, toQRgb(bitmapColour(x, y)));
    return image;
}

class BannerAnimationTest : public ::testing::Test
{
protected:
    BannerAnimationTest() : strip(StripW, StripH), banner(strip, makeBitmap()) { strip.setBackColour(Back); }

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            banner.tick();
    }

    // Every pixel of row `row` of the strip as it should read when bitmap column c sits at
    // strip column origin + c and everything else within [from, to) shows the back colour.
    void expectRow(int row, int origin, int from, int to, const char *where)
    {
        for (int x = from; x < to; ++x) {
            const int column = x - origin;
            const bool onBitmap = column >= 0 && column < BitmapW && row < BitmapH;
            const Colour expected = onBitmap ? bitmapColour(column, row) : Back;
            ASSERT_EQ(strip.point(x, row), expected) << where << ": x " << x << " row " << row;
        }
    }

    PictureSurface strip;
    BannerAnimation banner;
};

TEST_F(BannerAnimationTest, StartsInPhaseOneAndReadsTheBorderColourAtTwoTwo)
{
    EXPECT_EQ(banner.phase(), 1);
    EXPECT_EQ(banner.x(), 0);
    EXPECT_EQ(banner.n(), 0);
    EXPECT_TRUE(banner.hasBitmap());
    EXPECT_EQ(banner.borderColour(), bitmapColour(2, 2));
}

TEST_F(BannerAnimationTest, PhaseOneEntersAtTheRightEdgeAndTravelsLeft)
{
    banner.tick();
    EXPECT_EQ(banner.x(), 1);
    // Only the first column of the bitmap is in, at the strip's last column.
    expectRow(0, StripW - 1, StripW - 1, StripW, "first tick");
    EXPECT_EQ(strip.point(StripW - 2, 0), Back);

    ticks(4); // X = 5
    for (int row = 0; row < StripH; ++row)
        expectRow(row, StripW - 5, StripW - 5, StripW, "X = 5");

    ticks(StripW - 5 + 3); // X = W1 + 3: the first three columns have left on the left
    for (int row = 0; row < StripH; ++row)
        expectRow(row, -3, 0, StripW, "X = W1 + 3");
}

TEST_F(BannerAnimationTest, PhaseOneLeavesNoTrailBehindTheBitmap)
{
    ticks(StripW + 2); // the bitmap has moved well inside the strip and then some
    // Columns to the right of the bitmap were painted by earlier ticks; they show the back colour now.
    expectRow(1, -2, 0, StripW, "after W1 + 2 ticks");
}

TEST_F(BannerAnimationTest, PhaseOneEndsWithTheStripEmptyThenSwitchesWithoutDrawing)
{
    ticks(StripW + BitmapW + 1); // last drawing tick: X = W1 + W2 + 1
    EXPECT_EQ(banner.phase(), 1);
    EXPECT_EQ(banner.x(), StripW + BitmapW + 1);
    for (int row = 0; row < StripH; ++row)
        expectRow(row, -BitmapW - 1, 0, StripW, "end of phase 1");

    strip.setPixel(5, 0, rgb(200, 0, 0)); // a mark the switching tick must not touch
    banner.tick();
    EXPECT_EQ(banner.phase(), 2);
    EXPECT_EQ(banner.x(), 0);
    EXPECT_EQ(strip.point(5, 0), rgb(200, 0, 0));
}

TEST_F(BannerAnimationTest, PhaseTwoEntersAtTheLeftEdgeAndTravelsRight)
{
    ticks(StripW + BitmapW + 2); // into phase 2, X = 0
    ASSERT_EQ(banner.phase(), 2);

    banner.tick(); // X = 1: the last column of the bitmap at the strip's first column
    EXPECT_EQ(strip.point(0, 0), bitmapColour(BitmapW - 1, 0));

    ticks(BitmapW + 2); // X = W2 + 3: the whole bitmap in, three back-colour columns before it
    for (int row = 0; row < StripH; ++row)
        expectRow(row, 3, 0, BitmapW + 3, "X = W2 + 3");

    ticks(StripW + BitmapW + 1 - (BitmapW + 3)); // X = W1 + W2 + 1: gone past the right edge
    EXPECT_EQ(banner.x(), StripW + BitmapW + 1);
    expectRow(0, StripW + 1, 0, StripW, "end of phase 2");

    banner.tick();
    EXPECT_EQ(banner.phase(), 3);
    EXPECT_EQ(banner.x(), 0);
}

TEST_F(BannerAnimationTest, PhaseThreeWipesInFromTheLeftThenScrollsLeft)
{
    const int toPhase3 = 2 * (StripW + BitmapW + 2);
    ticks(toPhase3);
    ASSERT_EQ(banner.phase(), 3);
    strip.setPixel(StripW - 1, 0, rgb(200, 0, 0));

    banner.tick(); // X = 1: one column revealed
    EXPECT_EQ(strip.point(0, 0), bitmapColour(0, 0));
    EXPECT_EQ(strip.point(StripW - 1, 0), rgb(200, 0, 0));

    ticks(StripW); // X = W1 + 1: the wipe has covered the strip
    EXPECT_EQ(banner.x(), StripW + 1);
    EXPECT_EQ(banner.n(), 0);
    for (int row = 0; row < StripH; ++row)
        expectRow(row, 0, 0, StripW, "wipe complete");

    banner.tick(); // N = 1: scrolled left by one
    EXPECT_EQ(banner.n(), 1);
    EXPECT_EQ(banner.x(), StripW + 1);
    for (int row = 0; row < StripH; ++row)
        expectRow(row, -1, 0, StripW, "N = 1");

    ticks(BitmapW - 2); // N = W2 - 1: only the last column is left
    EXPECT_EQ(banner.n(), BitmapW - 1);
    expectRow(0, -(BitmapW - 1), 0, StripW, "N = W2 - 1");
    EXPECT_EQ(banner.phase(), 3);

    banner.tick(); // the cycle starts again, without drawing
    EXPECT_EQ(banner.phase(), 1);
    EXPECT_EQ(banner.x(), 0);
    EXPECT_EQ(banner.n(), 0);
    expectRow(0, -(BitmapW - 1), 0, StripW, "after the cycle");
}

TEST_F(BannerAnimationTest, TheSecondCycleRepeatsTheFirstPixelForPixel)
{
    const int cycle = 2 * (StripW + BitmapW + 2) + (StripW + 1) + (BitmapW - 1) + 1;
    std::vector<QImage> first;
    for (int i = 0; i < cycle; ++i) {
        banner.tick();
        first.push_back(strip.image().copy());
    }
    EXPECT_EQ(banner.phase(), 1);
    EXPECT_EQ(banner.x(), 0);
    // The last column of the first cycle stays at the left edge until phase 1 reaches it
    // (X = W1); from then on every frame is the same.
    for (int i = 0; i < cycle; ++i) {
        banner.tick();
        if (i < StripW - 1)
            EXPECT_EQ(strip.point(0, 0), bitmapColour(BitmapW - 1, 0)) << "tick " << i;
        else
            ASSERT_EQ(strip.image(), first[static_cast<size_t>(i)]) << "tick " << i;
    }
}

TEST_F(BannerAnimationTest, RestartGoesBackToTheFirstTickOfPhaseOne)
{
    ticks(2 * (StripW + BitmapW + 2) + 5);
    ASSERT_EQ(banner.phase(), 3);
    banner.restart();
    EXPECT_EQ(banner.phase(), 1);
    EXPECT_EQ(banner.x(), 0);
    EXPECT_EQ(banner.n(), 0);
    banner.tick();
    EXPECT_EQ(strip.point(StripW - 1, 0), bitmapColour(0, 0));
}

TEST(BannerAnimationWithoutBitmap, TicksLeaveTheStripPlain)
{
    PictureSurface strip(30, 5);
    strip.setBackColour(rgb(9, 9, 9));
    BannerAnimation banner(strip, QImage());
    EXPECT_FALSE(banner.hasBitmap());
    EXPECT_EQ(banner.borderColour(), -1);
    for (int i = 0; i < 100; ++i)
        banner.tick();
    for (int x = 0; x < 30; ++x)
        ASSERT_EQ(strip.point(x, 2), rgb(9, 9, 9));
}

TEST(BannerAnimationTinyBitmap, HasNoBorderColourButStillAnimates)
{
    PictureSurface strip(10, 3);
    strip.setBackColour(rgb(0, 0, 50));
    BannerAnimation banner(strip, makeBitmap(2, 2));
    EXPECT_EQ(banner.borderColour(), -1);
    banner.tick();
    EXPECT_EQ(strip.point(9, 0), bitmapColour(0, 0));
    EXPECT_EQ(strip.point(9, 2), rgb(0, 0, 50));
}

} // namespace
} // namespace lumetra
