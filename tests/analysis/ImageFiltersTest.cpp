// The filters' computation from a colour snapshot: loop ranges, edge entries, rounding,
// absolute values and clamping.
#include "ImageFiltersTestPictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace lumetra;
using namespace lumetra::filtertest;

namespace {

Colour grey(int v)
{
    return rgb(v, v, v);
}

bool darker(Colour c, int level)
{
    return redOf(c) < level && greenOf(c) < level && blueOf(c) < level;
}

} // namespace

TEST(FilterArea, LoopRangesOfEachFilterOnTheSampledPicture)
{
    const FilterArea blur1 = filterArea(ImageFilter::Blur1, W, H);
    EXPECT_EQ(blur1.firstRow, 1);
    EXPECT_EQ(blur1.lastRow, 479);
    EXPECT_EQ(blur1.firstColumn, 1);
    EXPECT_EQ(blur1.lastColumn, 639);
    for (ImageFilter f : {ImageFilter::Sharpen1, ImageFilter::Sharpen2}) {
        const FilterArea a = filterArea(f, W, H);
        EXPECT_EQ(a.rows(), 479);
        EXPECT_EQ(a.columns(), 639);
        EXPECT_TRUE(a.contains(1, 1));
        EXPECT_FALSE(a.contains(0, 5));
    }
    const FilterArea blur2 = filterArea(ImageFilter::Blur2, W, H);
    EXPECT_EQ(blur2.lastRow, 478);
    EXPECT_EQ(blur2.lastColumn, 638);
    for (ImageFilter f : {ImageFilter::Diffuse, ImageFilter::DiffuseMore}) {
        const FilterArea a = filterArea(f, W, H);
        EXPECT_EQ(a.firstRow, 2);
        EXPECT_EQ(a.lastRow, 478);
        EXPECT_EQ(a.firstColumn, 2);
        EXPECT_EQ(a.lastColumn, 638);
    }
}

TEST(FilterArea, SizesAreHeldToTheColourStoreAndEmptyBeforeLoading)
{
    const FilterArea big = filterArea(ImageFilter::DiffuseMore, 5000, 5000);
    EXPECT_EQ(big.lastColumn, 638);
    EXPECT_EQ(big.lastRow, 478);
    EXPECT_EQ(filterArea(ImageFilter::Blur1, 0, 0).rows(), 0);
    EXPECT_EQ(filterArea(ImageFilter::Blur2, 0, 0).columns(), 0);
}

TEST(Blur1, UniformGreyKeepsTheInteriorAndDarkensTheEdgeRowsAndColumns)
{
    const int g = 120;
    const Filtered out = run(ImageFilter::Blur1, [](int, int) { return grey(g); });
    for (int y = 2; y <= 478; ++y)
        for (int x = 2; x <= 638; ++x)
            ASSERT_EQ(out.at(x, y), grey(g)) << x << "," << y;
    for (int x = 0; x < W; ++x)
        ASSERT_EQ(out.at(x, 0), grey(g)) << "row 0 is outside the loop, column " << x;
    for (int y = 0; y < H; ++y)
        ASSERT_EQ(out.at(0, y), grey(g)) << "column 0 is outside the loop, row " << y;
    for (int i = 1; i <= 638; ++i) {
        ASSERT_TRUE(darker(out.at(i, 1), g)) << "row 1, column " << i;
        ASSERT_TRUE(darker(out.at(i, 479), g)) << "row 479, column " << i;
    }
    for (int i = 1; i <= 478; ++i) {
        ASSERT_TRUE(darker(out.at(1, i), g)) << "column 1, row " << i;
        ASSERT_TRUE(darker(out.at(639, i), g)) << "column 639, row " << i;
    }
    // Row 1 reaches the zero margin: six of nine cells, 6 x 120 / 9 = 80. Row 479 reaches the
    // outside samples (red -1): red (6 x 120 - 3) / 9 = 79.67 -> 80, green and blue 80.
    EXPECT_EQ(out.at(300, 1), grey(80));
    EXPECT_EQ(out.at(300, 479), grey(80));
    // Corner (639, 479): four pixels and five outside samples: red 475 / 9 = 52.8 -> 53,
    // green 480 / 9 = 53.3 -> 53. Corner (1, 1): four pixels and five zeros.
    EXPECT_EQ(out.at(639, 479), grey(53));
    EXPECT_EQ(out.at(1, 1), grey(53));
}

TEST(Blur1, OutsideSamplesComeOutPositiveOnBlack)
{
    // On black the only non-zero entries are the red -1 samples beyond the picture: the block
    // sum is negative and the absolute value makes it a small positive red.
    const Filtered out = run(ImageFilter::Blur1, [](int, int) { return grey(0); });
    EXPECT_EQ(out.at(300, 479), rgb(0, 0, 0)) << "3 / 9 rounds to 0";
    EXPECT_EQ(out.at(639, 479), rgb(1, 0, 0)) << "5 / 9 rounds to 1";
    EXPECT_EQ(out.at(300, 300), rgb(0, 0, 0));
}

TEST(Blur2, UniformGreyLeavesTheBorderAndDarkensTheNextRing)
{
    const int g = 200;
    const Filtered out = run(ImageFilter::Blur2, [](int, int) { return grey(g); });
    for (int i = 0; i < W; ++i) {
        ASSERT_EQ(out.at(i, 0), grey(g));
        ASSERT_EQ(out.at(i, 479), grey(g)) << "row 479 is outside blur 2's loop";
    }
    for (int i = 0; i < H; ++i) {
        ASSERT_EQ(out.at(0, i), grey(g));
        ASSERT_EQ(out.at(639, i), grey(g)) << "column 639 is outside blur 2's loop";
    }
    for (int y = 3; y <= 477; ++y)
        for (int x = 3; x <= 637; ++x)
            ASSERT_EQ(out.at(x, y), grey(g)) << x << "," << y;
    // Row 1: rows -1 and 0 of the block are margin, 15 / 25 of 200 = 120. Row 2: 20 / 25 = 160.
    EXPECT_EQ(out.at(320, 1), grey(120));
    EXPECT_EQ(out.at(320, 2), grey(160));
    // Row 478 reaches row 480: red (20 x 200 - 5) / 25 = 159.8 -> 160.
    EXPECT_EQ(out.at(320, 478), grey(160));
    EXPECT_TRUE(darker(out.at(638, 300), g));
    EXPECT_TRUE(darker(out.at(1, 300), g));
}

TEST(Blur2, AveragesTheFiveByFiveBlock)
{
    // One bright pixel spreads over its 5 x 5 neighbourhood only: 250 / 25 = 10.
    const Filtered out =
        run(ImageFilter::Blur2, [](int x, int y) { return x == 100 && y == 50 ? grey(250) : 0; });
    for (int y = 45; y <= 55; ++y)
        for (int x = 95; x <= 105; ++x) {
            const bool inBlock = std::abs(x - 100) <= 2 && std::abs(y - 50) <= 2;
            ASSERT_EQ(out.at(x, y), inBlock ? grey(10) : grey(0)) << x << "," << y;
        }
}

TEST(Sharpen, StepAlongTheDiagonalOvershootsAndClamps)
{
    // 100 above-left of the line x + y = 600, 200 from it on: the first two diagonals of the
    // bright side have a dark upper-left neighbour.
    const PixelFn step = [](int x, int y) { return x + y < 600 ? grey(100) : grey(200); };
    const Filtered s1 = run(ImageFilter::Sharpen1, step);
    const Filtered s2 = run(ImageFilter::Sharpen2, step);
    EXPECT_EQ(s1.at(300, 300), grey(250)) << "200 + 0.5 x 100";
    EXPECT_EQ(s1.at(301, 300), grey(250));
    EXPECT_EQ(s2.at(300, 300), grey(255)) << "200 + 0.8 x 100 = 280, clamped";
    EXPECT_EQ(s1.at(301, 301), grey(200)) << "equal neighbour: unchanged";
    EXPECT_EQ(s2.at(301, 301), grey(200));
    EXPECT_EQ(s1.at(100, 100), grey(100));
    EXPECT_EQ(s2.at(100, 100), grey(100));
}

TEST(Sharpen, DarkSideUndershootsAndClampsAtZero)
{
    const PixelFn step = [](int x, int y) { return x + y < 600 ? grey(200) : grey(100); };
    EXPECT_EQ(run(ImageFilter::Sharpen1, step).at(300, 300), grey(50));
    EXPECT_EQ(run(ImageFilter::Sharpen2, step).at(300, 300), grey(20));
    const PixelFn hard = [](int x, int y) { return x + y < 600 ? grey(250) : grey(10); };
    EXPECT_EQ(run(ImageFilter::Sharpen1, hard).at(300, 300), grey(0)) << "10 - 120 clamped";
}

TEST(Sharpen, HalvesRoundToTheEvenNeighbour)
{
    // Even rows over odd ones: 101 over 100 (101.5 -> 102), 102 over 101 (102.5 -> 102),
    // 3 over 0 (4.5 -> 4).
    const PixelFn rows = [](int, int y) { return y % 2 == 0 ? rgb(101, 102, 3) : rgb(100, 101, 0); };
    const Filtered out = run(ImageFilter::Sharpen1, rows);
    EXPECT_EQ(out.at(10, 10), rgb(102, 102, 4));
    // Odd rows over even ones: 99.5 -> 100, 100.5 -> 100, -1.5 -> -2 clamped to 0.
    EXPECT_EQ(out.at(10, 11), rgb(100, 100, 0));
    // Diagonal stripes: the upper-left neighbour is always the same colour.
    const PixelFn stripes = [](int x, int y) {
        return (x + y) % 2 == 0 ? rgb(101, 102, 3) : rgb(100, 101, 0);
    };
    EXPECT_EQ(run(ImageFilter::Sharpen1, stripes).at(10, 10), rgb(101, 102, 3));
    EXPECT_EQ(run(ImageFilter::Sharpen2, stripes).at(10, 11), rgb(100, 101, 0));
}

TEST(Sharpen, FirstRowAndColumnReadTheZeroMargin)
{
    const Filtered out = run(ImageFilter::Sharpen1, [](int, int) { return grey(100); });
    EXPECT_EQ(out.at(0, 0), grey(100));
    EXPECT_EQ(out.at(5, 0), grey(100)) << "row 0 kept";
    EXPECT_EQ(out.at(0, 5), grey(100)) << "column 0 kept";
    EXPECT_EQ(out.at(1, 5), grey(150)) << "upper-left neighbour in column 0 reads 0";
    EXPECT_EQ(out.at(5, 1), grey(150));
    EXPECT_EQ(out.at(639, 479), grey(100)) << "the outside samples are never read by a sharpen";
}

// A plain reading of the table in double precision, one pixel at a time, against the row
// computation on a noisy picture.
TEST(FiltersAgainstDirectFormula, BlursAndSharpensOnNoise)
{
    std::mt19937 noise(7);
    std::vector<Colour> picture(static_cast<size_t>(W) * H);
    for (Colour &c : picture)
        c = static_cast<Colour>(noise() & 0xffffff);
    const PixelFn pixel = [&](int x, int y) { return picture[static_cast<size_t>(y) * W + x]; };
    const ColourStoreGrid grid = sampled(pixel);
    const auto channel = [&](int slot, int x, int y) { return static_cast<double>(grid(slot, y, x)); };
    const auto expected = [&](ImageFilter f, int x, int y) {
        int v[3];
        for (int c = 0; c < 3; ++c) {
            const int slot = ColourStoreGrid::Red + c;
            double result = 0;
            if (f == ImageFilter::Blur1 || f == ImageFilter::Blur2) {
                const int r = f == ImageFilter::Blur1 ? 1 : 2;
                double sum = 0;
                for (int dy = -r; dy <= r; ++dy)
                    for (int dx = -r; dx <= r; ++dx)
                        sum += channel(slot, x + dx, y + dy);
                result = std::nearbyint(std::abs(sum / ((2 * r + 1) * (2 * r + 1))));
            } else {
                const double k = f == ImageFilter::Sharpen1 ? 0.5 : 0.8;
                const double here = channel(slot, x, y);
                result = std::nearbyint(here + k * (here - channel(slot, x - 1, y - 1)));
                result = std::min(255.0, std::max(0.0, result));
            }
            v[c] = static_cast<int>(result);
        }
        return rgb(v[0], v[1], v[2]);
    };
    for (ImageFilter f :
         {ImageFilter::Blur1, ImageFilter::Blur2, ImageFilter::Sharpen1, ImageFilter::Sharpen2}) {
        const Filtered out = run(f, pixel);
        const FilterArea area = filterArea(f, W, H);
        int mismatches = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const Colour want = area.contains(x, y) ? expected(f, x, y) : pixel(x, y);
                if (out.at(x, y) != want && ++mismatches <= 3)
                    ADD_FAILURE() << "filter " << static_cast<int>(f) << " at " << x << "," << y;
            }
        EXPECT_EQ(mismatches, 0) << "filter " << static_cast<int>(f);
    }
}
