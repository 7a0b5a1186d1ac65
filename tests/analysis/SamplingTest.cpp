#include "RecordingProgress.h"
#include "analysis/picture/Sampling.h"
#include "surface/PictureSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace lumetra;

namespace {

// A workspace picture: 640 x 480 surface with back colour (70,70,70) and `image` top-left.
std::unique_ptr<PictureSurface> workspacePicture(const QImage &image)
{
    auto surface = std::make_unique<PictureSurface>(640, 480);
    surface->setBackColour(rgb(70, 70, 70));
    surface->setPicture(image);
    return surface;
}

QImage filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

std::unique_ptr<AnalysisState> sampledState()
{
    auto state = std::make_unique<AnalysisState>();
    state->picture.ImageWidth = 640;
    state->picture.ImageHeight = 480;
    return state;
}

void sample(AnalysisState &state, const PictureSurface &picture)
{
    SilentProgress progress;
    sampling::ReadColours(state.picture, picture, progress);
    sampling::ComputeGreyMap(state.picture, progress);
}

} // namespace

TEST(ReadColours, StoresChannelsAndMinusOneOutsideTheSurface)
{
    QImage image = filled(640, 480, qRgb(10, 20, 30));
    image.setPixel(5, 7, qRgb(200, 100, 50));
    image.setPixel(0, 0, qRgb(1, 1, 1)); // column 0 / row 0 are never read
    auto picture = workspacePicture(image);
    auto state = sampledState();
    SilentProgress progress;
    sampling::ReadColours(state->picture, *picture, progress);

    const auto &cs = state->picture.ColourStore;
    EXPECT_EQ(cs(ColourStoreGrid::Red, 7, 5), 200); // row 7, column 5
    EXPECT_EQ(cs(ColourStoreGrid::Green, 7, 5), 100);
    EXPECT_EQ(cs(ColourStoreGrid::Blue, 7, 5), 50);
    EXPECT_EQ(cs(ColourStoreGrid::Red, 479, 639), 10);
    EXPECT_EQ(cs(ColourStoreGrid::Blue, 1, 1), 30);
    for (int y : {1, 200, 479, 480}) {
        EXPECT_EQ(cs(ColourStoreGrid::Red, y, 640), -1) << y;
        EXPECT_EQ(cs(ColourStoreGrid::Green, y, 640), 0) << y;
        EXPECT_EQ(cs(ColourStoreGrid::Blue, y, 640), 0) << y;
    }
    for (int x : {1, 320, 639, 640}) {
        EXPECT_EQ(cs(ColourStoreGrid::Red, 480, x), -1) << x;
        EXPECT_EQ(cs(ColourStoreGrid::Green, 480, x), 0) << x;
    }
    EXPECT_EQ(cs(ColourStoreGrid::Red, 0, 0), 0);
    EXPECT_EQ(cs(ColourStoreGrid::Red, 481, 5), 0);
    EXPECT_EQ(cs(ColourStoreGrid::Red, 5, 641), 0);
}

TEST(ReadColours, SmallPictureLeavesTheBackColourAndDrawingIsRead)
{
    auto picture = workspacePicture(filled(320, 240, qRgb(255, 255, 255)));
    picture->setPixel(400, 300, rgb(9, 8, 7)); // drawn on the screen, read like the picture
    auto state = sampledState();
    sample(*state, *picture);
    EXPECT_EQ(state->picture.GreyMap(100, 100), 255);
    EXPECT_EQ(state->picture.GreyMap(319, 239), 255);
    EXPECT_EQ(state->picture.GreyMap(320, 239), 70);
    EXPECT_EQ(state->picture.GreyMap(100, 240), 70);
    EXPECT_EQ(state->picture.ColourStore(ColourStoreGrid::Red, 300, 400), 9);
}

TEST(ComputeGreyMap, LastColumnAndRowAreZeroAndIndexZeroUntouched)
{
    auto picture = workspacePicture(filled(800, 600, qRgb(200, 200, 200)));
    auto state = sampledState();
    sample(*state, *picture);
    for (int y = 0; y <= 480; ++y) {
        EXPECT_EQ(state->picture.GreyMap(640, y), 0) << y;
        EXPECT_EQ(state->picture.GreyMap(0, y), 0) << y;
    }
    for (int x = 0; x <= 640; ++x) {
        EXPECT_EQ(state->picture.GreyMap(x, 480), 0) << x;
        EXPECT_EQ(state->picture.GreyMap(x, 0), 0) << x;
    }
    EXPECT_EQ(state->picture.GreyMap(639, 479), 200);
    EXPECT_EQ(state->picture.GreyMap(1, 1), 200);
}

namespace {

struct GreyCase
{
    int red, green, blue;
    int grey;
};

class GreyFormula : public ::testing::TestWithParam<GreyCase>
{
};

} // namespace

TEST_P(GreyFormula, RoundsHalfToEven)
{
    const GreyCase c = GetParam();
    auto picture = workspacePicture(filled(640, 480, qRgb(0, 0, 0)));
    picture->setPixel(10, 10, rgb(c.red, c.green, c.blue));
    auto state = sampledState();
    sample(*state, *picture);
    EXPECT_EQ(state->picture.GreyMap(10, 10), c.grey) << c.red << "," << c.green << "," << c.blue;
}

// Pure red, green and blue, white, black, and values just below and above a half.
INSTANTIATE_TEST_SUITE_P(Colours, GreyFormula,
                         ::testing::Values(GreyCase{255, 0, 0, 76}, GreyCase{0, 255, 0, 150},
                                           GreyCase{0, 0, 255, 29}, GreyCase{255, 255, 255, 255},
                                           GreyCase{0, 0, 0, 0}, GreyCase{100, 150, 200, 141},
                                           GreyCase{1, 0, 0, 0}, GreyCase{2, 0, 0, 1}));

TEST(ComputeGreyMap, MatchesDoubleSumWithNearbyintForEveryColourOfARange)
{
    // Every colour with green and red 0..255 and a few blues: the stored grey is the double sum
    // in the order green, red, blue rounded with std::nearbyint (ties to even).
    QImage image(256, 256, QImage::Format_RGB32);
    auto state = sampledState();
    int ties = 0;
    for (int blue : {0, 1, 127, 128, 254, 255}) {
        for (int g = 0; g < 256; ++g)
            for (int r = 0; r < 256; ++r)
                image.setPixel(r, g, qRgb(r, g, blue));
        auto picture = workspacePicture(image);
        sample(*state, *picture);
        for (int g = 1; g < 256; ++g) {
            for (int r = 1; r < 256; ++r) {
                const double sum = 0.587 * g + 0.299 * r + 0.114 * blue;
                if (sum - std::floor(sum) == 0.5)
                    ++ties;
                ASSERT_EQ(state->picture.GreyMap(r, g), static_cast<int>(std::nearbyint(sum)))
                    << r << "," << g << "," << blue;
            }
        }
    }
    EXPECT_GT(ties, 0) << "the range holds exact halves, so the tie rule is exercised";
}

TEST(ScanGreyRange, SeedsDifferBetweenTheTwoScans)
{
    auto state = sampledState();
    SilentProgress progress;
    // Uniformly black: the progress scan keeps its seed 15, the silent one the seed GreyMap(1,1).
    auto black = workspacePicture(filled(640, 480, qRgb(0, 0, 0)));
    sample(*state, *black);
    sampling::ScanGreyRangeWithProgress(state->picture, progress);
    EXPECT_EQ(state->picture.GreyMax, 15);
    EXPECT_EQ(state->picture.GreyMin, 15);
    EXPECT_EQ(state->picture.ImageGreyMax, 15);
    EXPECT_EQ(state->picture.ImageGreyMin, 15);
    sampling::ScanGreyRange(state->picture);
    EXPECT_EQ(state->picture.GreyMax, 0);
    EXPECT_EQ(state->picture.GreyMin, 0);
    EXPECT_EQ(state->picture.ImageGreyMax, 0);
    EXPECT_EQ(state->picture.ImageGreyMin, 0);

    // All values above 15: the progress scan reports 15 as minimum, the silent one the truth.
    QImage image = filled(640, 480, qRgb(100, 100, 100));
    image.setPixel(300, 200, qRgb(40, 40, 40));
    image.setPixel(30, 20, qRgb(220, 220, 220));
    auto bright = workspacePicture(image);
    sample(*state, *bright);
    sampling::ScanGreyRangeWithProgress(state->picture, progress);
    EXPECT_EQ(state->picture.GreyMax, 220);
    EXPECT_EQ(state->picture.GreyMin, 15);
    EXPECT_EQ(state->picture.ImageGreyMin, 15);
    sampling::ScanGreyRange(state->picture);
    EXPECT_EQ(state->picture.GreyMax, 220);
    EXPECT_EQ(state->picture.GreyMin, 40);
    EXPECT_EQ(state->picture.ImageGreyMax, 220);
    EXPECT_EQ(state->picture.ImageGreyMin, 40);
}

TEST(ScanGreyRange, SilentSeedAboveEveryOtherValueAndZeroSeed)
{
    auto state = sampledState();
    state->picture.GreyMap(1, 1) = 250;
    state->picture.GreyMap(5, 5) = 90;
    state->picture.GreyMap(640, 480) = 255; // outside the scanned grid's data: still scanned, fixed bounds
    sampling::ScanGreyRange(state->picture);
    EXPECT_EQ(state->picture.GreyMax, 255);
    EXPECT_EQ(state->picture.GreyMin, 90);

    state->picture.GreyMap(1, 1) = 0; // a zero seed stays the minimum
    sampling::ScanGreyRange(state->picture);
    EXPECT_EQ(state->picture.GreyMin, 0);
    EXPECT_EQ(state->picture.GreyMax, 255);
}

TEST(ScanGreyRange, FixedBoundsIgnoreRowAndColumnZero)
{
    auto state = sampledState();
    state->picture.ImageHeight = 10; // the scans do not follow the picture size
    for (int x = 1; x <= 640; ++x)
        for (int y = 1; y <= 480; ++y)
            state->picture.GreyMap(x, y) = 50;
    state->picture.GreyMap(0, 7) = 255;
    state->picture.GreyMap(7, 0) = 1;
    state->picture.GreyMap(600, 470) = 51;
    SilentProgress progress;
    sampling::ScanGreyRangeWithProgress(state->picture, progress);
    EXPECT_EQ(state->picture.GreyMax, 51);
    EXPECT_EQ(state->picture.GreyMin, 15);
}

TEST(SamplingProgress, EachRoutineShowsAdvancesPerRowAndCloses)
{
    auto picture = workspacePicture(filled(640, 480, qRgb(90, 90, 90)));
    auto state = sampledState();
    RecordingProgress progress;
    sampling::ReadColours(state->picture, *picture, progress);
    sampling::ComputeGreyMap(state->picture, progress);
    sampling::ScanGreyRangeWithProgress(state->picture, progress);
    EXPECT_EQ(progress.calls, QStringList({"show Waiting", "close Waiting", "repaint",
                                           "show Progress 正在读取灰度值", "close Progress", "repaint",
                                           "show Progress 正在计算灰度最大、最小值", "close Progress", "repaint"}));
    ASSERT_EQ(progress.steps.size(), 3u * 480u);
    for (size_t i = 0; i < progress.steps.size(); ++i) {
        const auto &step = progress.steps[i];
        const int y = static_cast<int>(i % 480) + 1;
        EXPECT_EQ(step.window, i < 480 ? ProgressWindows::Window::Waiting : ProgressWindows::Window::Progress);
        ASSERT_FLOAT_EQ(step.percent, 100.0f * static_cast<float>(y) / 480.0f) << i;
    }
    EXPECT_EQ(state->picture.ImageGreyMax, 90);
}

// The one-pass sampling against the three routines in turn: the same colours, grey values and
// range, and the same windows with the same steps. A picture smaller than the surface, a state
// that claims fewer rows than the raster (the rows below keep their old grey values, which the
// range still reads) and a picture of varied colours.
TEST(SamplingProgress, OnePassGivesTheRoutinesResultsAndWindows)
{
    QImage image(600, 430, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7 + y) % 256, (x + y * 3) % 256, (x * y) % 251));
    auto picture = workspacePicture(image);
    for (const int height : {480, 300}) {
        std::unique_ptr<AnalysisState> states[2] = {sampledState(), sampledState()};
        RecordingProgress progress[2];
        for (auto &state : states) {
            state->picture.ImageHeight = height;
            for (int y = 1; y <= 480; ++y)
                for (int x = 1; x <= 640; ++x)
                    state->picture.GreyMap(x, y) = (x + 2 * y) % 256; // what an earlier picture left
        }
        sampling::ReadColours(states[0]->picture, *picture, progress[0]);
        sampling::ComputeGreyMap(states[0]->picture, progress[0]);
        sampling::ScanGreyRangeWithProgress(states[0]->picture, progress[0]);
        sampling::SamplePicture(states[1]->picture, *picture, progress[1]);
        const SampledPicture &apart = states[0]->picture, &together = states[1]->picture;
        for (int y = 1; y <= 480; ++y)
            for (int x = 1; x <= 640; ++x) {
                ASSERT_EQ(together.GreyMap(x, y), apart.GreyMap(x, y)) << x << "," << y << " height " << height;
                for (const auto channel : {ColourStoreGrid::Red, ColourStoreGrid::Green, ColourStoreGrid::Blue})
                    ASSERT_EQ(together.ColourStore(channel, y, x), apart.ColourStore(channel, y, x)) << x << "," << y;
            }
        EXPECT_EQ(together.GreyMax, apart.GreyMax);
        EXPECT_EQ(together.GreyMin, apart.GreyMin);
        EXPECT_EQ(together.ImageGreyMax, apart.ImageGreyMax);
        EXPECT_EQ(together.ImageGreyMin, apart.ImageGreyMin);
        EXPECT_EQ(progress[1].calls, progress[0].calls);
        ASSERT_EQ(progress[1].steps.size(), progress[0].steps.size());
        for (std::size_t i = 0; i < progress[0].steps.size(); ++i) {
            EXPECT_EQ(progress[1].steps[i].window, progress[0].steps[i].window) << i;
            EXPECT_FLOAT_EQ(progress[1].steps[i].percent, progress[0].steps[i].percent) << i;
        }
    }
}
