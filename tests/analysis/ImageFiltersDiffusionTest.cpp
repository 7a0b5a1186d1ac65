// The diffusions: where each pixel's colour comes from, how the offsets are spread, and how the
// generator is used.
#include "ImageFiltersTestPictures.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>

using namespace lumetra;
using namespace lumetra::filtertest;

namespace {

// Every picture pixel carries its own coordinates: red and green the low bytes of x and y, blue
// 128 plus their high bits. Snapshot edge entries (0, or red -1 made positive) have blue 0.
Colour coordinates(int x, int y)
{
    return rgb(x & 0xff, y & 0xff, 0x80 | (x >> 8) | ((y >> 8) << 2));
}

bool fromPicture(Colour c)
{
    return (blueOf(c) & 0x80) != 0;
}
int sourceX(Colour c)
{
    return redOf(c) | ((blueOf(c) & 3) << 8);
}
int sourceY(Colour c)
{
    return greenOf(c) | (((blueOf(c) >> 2) & 1) << 8);
}

struct Spread
{
    int low;  // smallest whole offset
    int high; // largest whole offset
    int scale;
};

constexpr Spread DiffuseSpread{-2, 1, 3};
constexpr Spread DiffuseMoreSpread{-2, 4, 6};

// Probability of each whole offset for scale r - 2, r uniform in [0, 1): the two end offsets
// get half a pixel's share, the others a whole one.
double offsetShare(const Spread &s, int offset)
{
    const double share = 1.0 / s.scale;
    return offset == s.low || offset == s.high ? share / 2 : share;
}

void checkOffsets(ImageFilter filter, const Spread &spread)
{
    FilterRandom random(12345);
    const Filtered out = run(filter, coordinates, random);
    const FilterArea area = filterArea(filter, W, H);
    std::map<int, int> rowOffsets;
    std::map<int, int> columnOffsets;
    std::map<std::pair<int, int>, int> pairs;
    int samples = 0;
    for (int y = area.firstRow; y <= area.lastRow; ++y)
        for (int x = area.firstColumn; x <= area.lastColumn; ++x) {
            const Colour c = out.at(x, y);
            if (!fromPicture(c)) {
                // Only a window reaching row or column 0, or the samples at 640 / 480 and
                // beyond, can bring in a colour that is not a picture pixel.
                const bool reachesEdge = x + spread.low <= 0 || y + spread.low <= 0 || x + spread.high >= W ||
                                         y + spread.high >= H;
                ASSERT_TRUE(reachesEdge) << "edge colour at " << x << "," << y;
                ASSERT_TRUE(c == rgb(0, 0, 0) || c == rgb(1, 0, 0)) << "|red -1| is 1, margins 0";
                continue;
            }
            const int dx = sourceX(c) - x;
            const int dy = sourceY(c) - y;
            ASSERT_GE(dx, spread.low) << x << "," << y;
            ASSERT_LE(dx, spread.high) << x << "," << y;
            ASSERT_GE(dy, spread.low) << x << "," << y;
            ASSERT_LE(dy, spread.high) << x << "," << y;
            ++rowOffsets[dy];
            ++columnOffsets[dx];
            ++pairs[{dy, dx}];
            ++samples;
        }
    ASSERT_GT(samples, 250000);
    for (int offset = spread.low; offset <= spread.high; ++offset) {
        const double want = offsetShare(spread, offset);
        EXPECT_NEAR(rowOffsets[offset] / double(samples), want, want * 0.05) << "row offset " << offset;
        EXPECT_NEAR(columnOffsets[offset] / double(samples), want, want * 0.05) << "column offset " << offset;
    }
    // The two offsets come from two separate numbers: the extreme corners of the window occur.
    EXPECT_GT((pairs[{spread.low, spread.high}]), 0);
    EXPECT_GT((pairs[{spread.high, spread.low}]), 0);
    // Pixels outside the loop keep their colour.
    for (int i = 0; i < W; ++i) {
        ASSERT_EQ(out.at(i, 0), coordinates(i, 0));
        ASSERT_EQ(out.at(i, 1), coordinates(i, 1));
        ASSERT_EQ(out.at(i, 479), coordinates(i, 479));
    }
    for (int i = 0; i < H; ++i) {
        ASSERT_EQ(out.at(0, i), coordinates(0, i));
        ASSERT_EQ(out.at(1, i), coordinates(1, i));
        ASSERT_EQ(out.at(639, i), coordinates(639, i));
    }
}

} // namespace

TEST(Diffusion, DiffuseTakesEachPixelFromMinusTwoToPlusOne)
{
    checkOffsets(ImageFilter::Diffuse, DiffuseSpread);
}

TEST(Diffusion, DiffuseMoreTakesEachPixelFromMinusTwoToPlusFour)
{
    checkOffsets(ImageFilter::DiffuseMore, DiffuseMoreSpread);
}

TEST(Diffusion, RunsDifferWhileTheGeneratorGoesOnAndRepeatWithTheSameSeed)
{
    for (ImageFilter f : {ImageFilter::Diffuse, ImageFilter::DiffuseMore}) {
        FilterRandom random(99);
        const Filtered first = run(f, coordinates, random);
        const Filtered second = run(f, coordinates, random);
        int differing = 0;
        for (size_t i = 0; i < first.pixels.size(); ++i)
            differing += first.pixels[i] != second.pixels[i];
        EXPECT_GT(differing, 100000) << "filter " << static_cast<int>(f);

        FilterRandom again(99);
        EXPECT_EQ(run(f, coordinates, again).pixels, first.pixels) << "same seed, same picture";
    }
}

TEST(Diffusion, DrawsTwoNumbersPerPixelRowOffsetFirst)
{
    const FilterArea area = filterArea(ImageFilter::Diffuse, W, H);
    FilterRandom random(2024);
    FilterRandom expected = random;
    const Filtered out = run(ImageFilter::Diffuse, coordinates, random);

    // The first pixel of the loop, (2, 2): the first number moves the row, the second the column.
    const float r = uniformUnit(expected);
    const float rColumn = uniformUnit(expected);
    const int wantY = static_cast<int>(std::nearbyint(2.0f + (3 * r - 2.0f)));
    const int wantX = static_cast<int>(std::nearbyint(2.0f + (3 * rColumn - 2.0f)));
    const Colour first = out.at(2, 2);
    if (wantX >= 1 && wantY >= 1) {
        EXPECT_EQ(first, coordinates(wantX, wantY));
    } else {
        EXPECT_EQ(first, rgb(0, 0, 0)) << "the window reached the zero margin";
    }

    expected.discard(2ull * area.rows() * area.columns() - 2);
    EXPECT_EQ(random, expected) << "the run draws exactly two numbers per pixel";
}

TEST(Diffusion, UniformNumbersStayInTheHalfOpenUnitInterval)
{
    FilterRandom random(5);
    double sum = 0;
    float low = 1, high = 0;
    const int n = 200000;
    for (int i = 0; i < n; ++i) {
        const float u = uniformUnit(random);
        low = std::min(low, u);
        high = std::max(high, u);
        sum += u;
    }
    EXPECT_GE(low, 0.0f);
    EXPECT_LT(high, 1.0f);
    EXPECT_NEAR(sum / n, 0.5, 0.01);
    EXPECT_LT(low, 0.001f);
    EXPECT_GT(high, 0.999f);
}
