// The sampling routines against the slow reference of tests/support: colours, grey values and the
// grey range agree bit for bit on random pictures full of exact halves, on every real colour, and
// on any 16-bit value the colour store can hold.
#include "analysis/picture/Sampling.h"
#include "surface/PictureSurface.h"
#include "support/SamplingOracle.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <random>

using namespace lumetra;

namespace {

// A colour whose grey sum is exactly n + 0.5, or an ordinary random colour if none has this red
// and green.
QRgb colourWithHalf(std::mt19937 &random)
{
    const int red = int(random() % 256);
    const int green = int(random() % 256);
    for (int blue = int(random() % 256), tried = 0; tried < 256; blue = (blue + 1) % 256, ++tried)
        if ((587 * green + 299 * red + 114 * blue) % 1000 == 500)
            return qRgb(red, green, blue);
    return qRgb(red, green, int(random() % 256));
}

QImage randomPicture(int width, int height, std::mt19937 &random)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const unsigned kind = random() % 4;
            line[x] = kind == 0 ? colourWithHalf(random)
                      : kind == 1 ? qRgb(0, 0, 0)
                                  : QRgb(random() & 0xffffffu);
        }
    }
    return image;
}

// ColourStore rows 1..480, columns 1..640 from make(i) for i = first.., then ComputeGreyMap;
// every grey value is checked against the reference formula.
template <typename Make>
void checkGreyMapOfStoredColours(AnalysisState &state, long long first, long long count, Make make)
{
    SilentProgress progress;
    for (long long start = first; start < first + count; start += 640 * 480) {
        long long i = start;
        for (int y = 1; y <= 480; ++y)
            for (int x = 1; x <= 640; ++x, ++i) {
                const auto [r, g, b] = make(i < first + count ? i : first);
                state.picture.ColourStore(ColourStoreGrid::Red, y, x) = r;
                state.picture.ColourStore(ColourStoreGrid::Green, y, x) = g;
                state.picture.ColourStore(ColourStoreGrid::Blue, y, x) = b;
            }
        sampling::ComputeGreyMap(state.picture, progress);
        for (int y = 1; y <= 480; ++y)
            for (int x = 1; x <= 640; ++x) {
                const int r = state.picture.ColourStore(ColourStoreGrid::Red, y, x);
                const int g = state.picture.ColourStore(ColourStoreGrid::Green, y, x);
                const int b = state.picture.ColourStore(ColourStoreGrid::Blue, y, x);
                ASSERT_EQ(state.picture.GreyMap(x, y), test::referenceGrey(r, g, b)) << r << "," << g << "," << b;
            }
    }
}

struct Colour3
{
    int16_t r, g, b;
};

} // namespace

TEST(SamplingEquivalence, RandomPicturesWithExactHalvesMatchTheReference)
{
    struct Case
    {
        int pictureWidth, pictureHeight; // the picture on the 640 x 480 surface
        int imageWidth, imageHeight;     // what the state says is sampled
    };
    std::mt19937 random(20240611);
    for (const Case c : {Case{640, 480, 640, 480}, Case{800, 600, 640, 480}, Case{321, 243, 640, 480},
                         Case{640, 480, 600, 400}, Case{640, 480, 700, 700}}) {
        SCOPED_TRACE(testing::Message() << c.pictureWidth << "x" << c.pictureHeight << " sampled "
                                        << c.imageWidth << "x" << c.imageHeight);
        PictureSurface picture(640, 480);
        picture.setBackColour(static_cast<Colour>(random() & 0xffffffu));
        picture.setPicture(randomPicture(c.pictureWidth, c.pictureHeight, random));
        picture.setPixel(17, 33, rgb(3, 2, 1)); // drawn on the surface: read like the picture
        auto state = std::make_unique<AnalysisState>();
        state->picture.ImageWidth = c.imageWidth;
        state->picture.ImageHeight = static_cast<int16_t>(c.imageHeight);
        SilentProgress progress;
        sampling::ReadColours(state->picture, picture, progress);
        sampling::ComputeGreyMap(state->picture, progress);
        sampling::ScanGreyRangeWithProgress(state->picture, progress);

        const test::ReferenceSampling ref = test::referenceSampling(picture, c.imageWidth, c.imageHeight);
        int halves = 0;
        for (int y = 1; y <= c.imageHeight; ++y)
            for (int x = 1; x <= c.imageWidth; ++x) {
                ASSERT_EQ(state->picture.ColourStore(ColourStoreGrid::Red, y, x), ref.colourAt(ref.red, x, y)) << x << "," << y;
                ASSERT_EQ(state->picture.ColourStore(ColourStoreGrid::Green, y, x), ref.colourAt(ref.green, x, y)) << x << "," << y;
                ASSERT_EQ(state->picture.ColourStore(ColourStoreGrid::Blue, y, x), ref.colourAt(ref.blue, x, y)) << x << "," << y;
                const int s = 587 * ref.colourAt(ref.green, x, y) + 299 * ref.colourAt(ref.red, x, y) +
                              114 * ref.colourAt(ref.blue, x, y);
                halves += s % 1000 == 500 && x <= 640 && y <= 480;
            }
        for (int y = 0; y <= 480; ++y)
            for (int x = 0; x <= 640; ++x)
                ASSERT_EQ(state->picture.GreyMap(x, y), ref.greyAt(x, y)) << x << "," << y;
        EXPECT_EQ(state->picture.GreyMax, ref.greyMax);
        EXPECT_EQ(state->picture.GreyMin, ref.greyMin);
        EXPECT_EQ(state->picture.ImageGreyMax, ref.greyMax);
        EXPECT_EQ(state->picture.ImageGreyMin, ref.greyMin);
        EXPECT_GT(halves, 1000) << "exact halves must be exercised";
        // The surface ends at column 639 and row 479: what lies beyond reads as -1.
        if (c.imageWidth >= 640 && c.imageHeight >= 480) {
            EXPECT_EQ(state->picture.ColourStore(ColourStoreGrid::Red, 100, 640), -1);
            EXPECT_EQ(state->picture.ColourStore(ColourStoreGrid::Red, 480, 100), -1);
            EXPECT_EQ(state->picture.GreyMap(640, 100), 0);
            EXPECT_EQ(state->picture.GreyMap(100, 480), 0);
        }
    }
}

TEST(SamplingEquivalence, EveryRealColourGivesTheDoubleFormulasGrey)
{
    // Red -1 (a read outside the surface) and 0..255, green and blue 0..255: every colour once.
    auto state = std::make_unique<AnalysisState>();
    state->picture.ImageWidth = 640;
    state->picture.ImageHeight = 480;
    checkGreyMapOfStoredColours(*state, 0, 257LL * 256 * 256, [](long long i) {
        return Colour3{int16_t(i / 65536 - 1), int16_t((i / 256) % 256), int16_t(i % 256)};
    });
}

TEST(SamplingEquivalence, AnyStoredColourGivesTheDoubleFormulasGrey)
{
    // Random 16-bit channels, half of them exact halves, and the extremes.
    std::mt19937 random(7);
    std::vector<Colour3> colours;
    const auto any = [&random] { return int16_t(int(random() % 65536) - 32768); };
    while (colours.size() < 640 * 480) {
        const int16_t r = any(), g = any();
        int16_t b = any();
        if (colours.size() % 2 == 0)
            for (int tried = 0; tried < 1000 && (587 * g + 299 * r + 114 * b) % 1000 != 500; ++tried)
                b = any();
        colours.push_back({r, g, b});
    }
    colours[0] = {-32768, -32768, -32768};
    colours[1] = {32767, 32767, 32767};
    colours[2] = {-32768, 32767, -32768};
    auto state = std::make_unique<AnalysisState>();
    state->picture.ImageWidth = 640;
    state->picture.ImageHeight = 480;
    checkGreyMapOfStoredColours(*state, 0, static_cast<long long>(colours.size()),
                                [&colours](long long i) { return colours[std::size_t(i)]; });
}
