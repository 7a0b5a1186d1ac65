#include "analysis/curves/CurvePlot.h"
#include "surface/PictureSurface.h"
#include "support/SurfaceChecks.h"

#include <gtest/gtest.h>

#include <memory>

using namespace lumetra;

namespace {

constexpr Colour Back = rgb(70, 70, 70);

std::unique_ptr<AnalysisState> cutState(int orientation, int cut)
{
    auto state = std::make_unique<AnalysisState>();
    state->picture.ImageWidth = 640;
    state->picture.ImageHeight = 480;
    state->cut.Active = true;
    state->cut.CutOrientation = static_cast<int16_t>(orientation);
    state->cut.CutPosition = cut;
    return state;
}

std::unique_ptr<PictureSurface> plotSurface(int w, int h)
{
    auto s = std::make_unique<PictureSurface>(w, h);
    s->setBackColour(Back);
    return s;
}

} // namespace

using lumetra::testing::countColour;

TEST(PlotRawCurve, HorizontalMapsGreyRangeOntoTwoHundredPixels)
{
    auto state = cutState(1, 5);
    state->picture.GreyMin = 10;
    state->picture.GreyMax = 110;
    for (int x = 1; x <= 640; ++x)
        state->picture.GreyMap(x, 5) = 60; // half way: y = 200 - 100
    state->picture.GreyMap(300, 5) = 110;  // top: y = 0
    state->picture.GreyMap(400, 5) = 85;   // 200 - floor(150) = 50
    state->picture.GreyMap(400, 6) = 200;  // another row, not on the cut
    auto plot = plotSurface(640, 200);
    plotting::PlotRawCurve(*state, *plot, PlotMode::FaceNormal);
    EXPECT_EQ(plot->point(100, 100), colours::RawCurve);
    EXPECT_EQ(plot->point(300, 0), colours::RawCurve);
    EXPECT_EQ(plot->point(400, 50), colours::RawCurve);
    EXPECT_EQ(plot->point(639, 100), colours::RawCurve);
    // Sample 0 (column 0) is 0, below lo: the first step rises from the baseline y = 200.
    EXPECT_EQ(plot->point(0, 199), colours::RawCurve);
    EXPECT_EQ(plot->point(100, 99), Back);
    EXPECT_EQ(plot->point(100, 101), Back);
}

TEST(PlotRawCurve, BaselineRulesOnAVerticalCut)
{
    auto state = cutState(2, 10);
    state->picture.GreyMin = 100;
    state->picture.GreyMax = 200;
    for (int y = 1; y <= 480; ++y)
        state->picture.GreyMap(10, y) = 150; // x = floor(200 * 50 / 100) = 100
    state->picture.GreyMap(10, 240) = 50;    // below lo: on the baseline x = 0
    state->picture.GreyMap(10, 300) = 0;     // zero next to a value equal to lo: a step along the baseline
    state->picture.GreyMap(10, 301) = 100;
    state->picture.GreyMap(10, 302) = 0;
    auto plot = plotSurface(200, 480);
    plotting::PlotRawCurve(*state, *plot, PlotMode::FaceNormal, true);
    EXPECT_EQ(plot->point(100, 100), colours::RawCurve);
    EXPECT_EQ(plot->point(100, 239), colours::RawCurve);
    EXPECT_EQ(plot->point(0, 240), colours::RawCurve);
    EXPECT_EQ(plot->point(100, 241), colours::RawCurve);
    for (int y = 300; y <= 302; ++y)
        EXPECT_EQ(plot->point(0, y), colours::RawCurve) << y;
    for (int x = 1; x < 100; ++x)
        EXPECT_NE(plot->point(x, 301), colours::RawCurve) << x; // nothing leaves the baseline there
    EXPECT_EQ(plot->point(101, 100), Back);
}

TEST(PlotRawCurve, FlatRangeDrawsEverythingOnTheBaseline)
{
    // Before any sampling every value and range is 0: the curve lies on the left edge.
    auto state = cutState(2, 320);
    auto plot = plotSurface(200, 480);
    plotting::PlotRawCurve(*state, *plot, PlotMode::FaceNormal, true);
    for (int y = 1; y <= 479; ++y)
        ASSERT_EQ(plot->point(0, y), colours::RawCurve) << y;
    EXPECT_EQ(countColour(*plot, colours::RawCurve), 479);

    // hi = lo with values above it: still the baseline, never a division.
    state->picture.GreyMin = state->picture.GreyMax = 50;
    for (int y = 1; y <= 480; ++y)
        state->picture.GreyMap(320, y) = 200;
    auto second = plotSurface(200, 480);
    plotting::PlotRawCurve(*state, *second, PlotMode::FaceNormal, true);
    EXPECT_EQ(countColour(*second, colours::RawCurve), 479);
}

TEST(PlotRawCurve, EnlargedSpreadsSamplesByOneAndAHalf)
{
    auto state = cutState(1, 100);
    state->picture.GreyMin = 0;
    state->picture.GreyMax = 100;
    for (int x = 1; x <= 640; ++x)
        state->picture.GreyMap(x, 100) = 50; // enlarged: 400 - floor(400 * 0.5) = 200
    state->picture.GreyMap(200, 100) = 100;  // sample 200 at x = 300, y = 0
    auto plot = plotSurface(960, 400);
    plotting::PlotRawCurve(*state, *plot, PlotMode::FaceEnlarged);
    EXPECT_EQ(plot->point(300, 0), colours::RawCurve);
    EXPECT_EQ(plot->point(600, 200), colours::RawCurve);
    EXPECT_EQ(plot->point(959, 200), colours::RawCurve); // the last step ends at 1.5 * 640 = 960
    EXPECT_EQ(plot->point(200, 0), Back);
}

TEST(PlotAnalysedCurve, ModesChooseRangeAndColour)
{
    auto state = cutState(2, 50);
    state->picture.GreyMin = 0;
    state->picture.GreyMax = 200;
    state->cut.ProfileMin = 100;
    state->cut.ProfileMax = 150;
    for (int y = 1; y <= 480; ++y)
        state->cut.ProfileV[static_cast<size_t>(y)] = 125;
    // Face: 200 * 125 / 200 = 125; line: 200 * 25 / 50 = 100.
    auto face = plotSurface(200, 480);
    plotting::PlotAnalysedCurve(*state, *face, PlotMode::FaceNormal, true);
    EXPECT_EQ(face->point(125, 240), colours::AnalysedFace);
    EXPECT_EQ(countColour(*face, colours::AnalysedFace), 479);

    auto line = plotSurface(200, 480);
    plotting::PlotAnalysedCurve(*state, *line, PlotMode::LineNormal, true);
    EXPECT_EQ(line->point(100, 240), colours::AnalysedLine);
    EXPECT_EQ(countColour(*line, colours::AnalysedLine), 479);

    // Enlarged line mode: 400 * 25 / 50 = 200, samples at 1.25 (i - 1): rows 0..598.75.
    auto big = plotSurface(400, 600);
    plotting::PlotAnalysedCurve(*state, *big, PlotMode::LineEnlarged, true);
    EXPECT_EQ(big->point(200, 0), colours::AnalysedLine);
    EXPECT_EQ(big->point(200, 599), colours::AnalysedLine);
    EXPECT_EQ(countColour(*big, colours::AnalysedLine), 600);

    // A flat profile range in line mode puts the curve on the baseline.
    state->cut.ProfileMax = state->cut.ProfileMin;
    auto flat = plotSurface(200, 480);
    plotting::PlotAnalysedCurve(*state, *flat, PlotMode::LineNormal, true);
    EXPECT_EQ(flat->point(0, 240), colours::AnalysedLine);

    // Modes nobody uses draw nothing.
    auto none = plotSurface(200, 480);
    plotting::PlotAnalysedCurve(*state, *none, static_cast<PlotMode>(3), true);
    EXPECT_EQ(countColour(*none, Back), 200 * 480);
}

TEST(PlotAnalysedCurve, HorizontalKeepsFractionsAndStartsAtSampleOne)
{
    auto state = cutState(1, 240);
    state->picture.GreyMin = 0;
    state->picture.GreyMax = 3;
    state->cut.ProfileH.fill(1.5);  // 200 - floor(100) = 100
    state->cut.ProfileH[10] = 2.99; // 200 - floor(199.33) = 1
    auto plot = plotSurface(640, 200);
    plotting::PlotAnalysedCurve(*state, *plot, PlotMode::FaceNormal);
    EXPECT_EQ(plot->point(10, 1), colours::AnalysedFace);
    EXPECT_EQ(plot->point(1, 100), colours::AnalysedFace);
    EXPECT_EQ(plot->point(0, 100), Back) << "sample 0 is not drawn";
    EXPECT_EQ(plot->point(639, 100), colours::AnalysedFace);

    // Enlarged: sample i at 1.5 (i - 1), so sample 10 at 13.5, rounded to 14; y = 400 - 398 = 2.
    auto big = plotSurface(960, 400);
    plotting::PlotAnalysedCurve(*state, *big, PlotMode::FaceEnlarged);
    EXPECT_EQ(big->point(14, 2), colours::AnalysedFace);
    EXPECT_EQ(big->point(0, 200), colours::AnalysedFace);
}

TEST(PlotCurves, UseTheCurrentPenAndLeaveTheStateAlone)
{
    auto state = cutState(2, 20);
    state->picture.GreyMax = 100;
    for (int y = 1; y <= 480; ++y)
        state->picture.GreyMap(20, y) = 50;
    auto plot = plotSurface(200, 480);
    const QImage before = plot->image().copy();
    plot->setPenMode(PictureSurface::PenMode::Xor);
    plotting::PlotRawCurve(*state, *plot, PlotMode::FaceNormal, true);
    EXPECT_EQ(plot->point(100, 1), rgb(70 ^ 255, 70 ^ 255, 70)); // the first end of the curve
    plotting::PlotRawCurve(*state, *plot, PlotMode::FaceNormal, true);
    EXPECT_EQ(plot->image(), before);
    EXPECT_EQ(state->picture.GreyMax, 100);
    EXPECT_EQ(state->picture.GreyMin, 0);
}
