#include "curves/CurveValues.h"
#include "analysis/AnalysisState.h"

#include <gtest/gtest.h>

namespace lumetra {
namespace {

using namespace CurveValues;

TEST(CurveValues, ShortestDecimalForm)
{
    EXPECT_EQ(shortestNumber(6), "6");
    EXPECT_EQ(shortestNumber(-12), "-12");
    EXPECT_EQ(shortestNumber(37.5), "37.5");
    EXPECT_EQ(shortestNumber(12.25), "12.25");
    EXPECT_EQ(shortestNumber(-0.0), "0");
    EXPECT_EQ(shortestNumber(640), "640");
    EXPECT_EQ(shortestNumber(static_cast<double>(99.75f)), "99.75");
    EXPECT_EQ(pointCaption(-12, 37.5), "(-12,37.5)");
    EXPECT_EQ(pointCaption(0.25, 240), "(0.25,240)");
}

TEST(CurveValues, HorizontalPositionsFollowAxisStartAndSize)
{
    AnalysisState s;
    s.view.AxisStart = -320;
    s.view.AxisEnd = 320;
    EXPECT_EQ(positionAt(s, false, 0), -320);
    EXPECT_EQ(positionAt(s, false, 325), 5);
    EXPECT_EQ(clampedPositionAt(s, false, 639, 640), 319);
    EXPECT_EQ(clampedPositionAt(s, false, 640, 640), 320);
    EXPECT_EQ(clampedPositionAt(s, false, 700, 640), 320);

    s.view.AxisStart = -300; // scrolled
    s.view.AxisEnd = 340;
    EXPECT_EQ(clampedPositionAt(s, false, 640, 640), 340);
    EXPECT_EQ(positionAt(s, false, 10), -290);

    s.view.Enlarged = true;
    // floor(x / 1.5 + 0.5): 301 / 1.5 = 200.67 -> 201; 0.74 -> 0 (0.49 + 0.5 < 1); 0.75 -> 1
    EXPECT_EQ(positionAt(s, false, 301), 201 - 300);
    EXPECT_EQ(positionAt(s, false, 0.74), -300);
    EXPECT_EQ(positionAt(s, false, 0.75), -299);
    EXPECT_EQ(clampedPositionAt(s, false, 960, 960), 340);
}

TEST(CurveValues, VerticalPositionsUseTheZoomStepOfTheColumn)
{
    AnalysisState s;
    s.view.AxisStart = -240;
    s.view.AxisEnd = 240;
    EXPECT_EQ(positionAt(s, true, 100), -140);
    EXPECT_EQ(clampedPositionAt(s, true, 480, 480), 240);
    s.view.Enlarged = true;
    // floor(y / 1.25 + 0.5): 300 / 1.25 = 240 -> 240; 0.6 / 1.25 = 0.48 -> 0; 0.65 -> 1
    EXPECT_EQ(positionAt(s, true, 300), 0);
    EXPECT_EQ(positionAt(s, true, 0.6), -240);
    EXPECT_EQ(positionAt(s, true, 0.65), -239);
}

TEST(CurveValues, IntensityStepsAreHalvesAndQuarters)
{
    AnalysisState s;
    EXPECT_FLOAT_EQ(intensityAt(s, false, 37), 81.5f);
    EXPECT_FLOAT_EQ(intensityAt(s, false, 0), 100.f);
    EXPECT_FLOAT_EQ(intensityAt(s, false, 200), 0.f);
    EXPECT_FLOAT_EQ(intensityAt(s, false, 37.4), 81.f); // floor(162.6) / 2
    EXPECT_FLOAT_EQ(intensityAt(s, true, 37), 18.5f);
    EXPECT_FLOAT_EQ(intensityAt(s, true, 37.9), 18.5f);
    s.view.Enlarged = true;
    EXPECT_FLOAT_EQ(intensityAt(s, false, 3), 99.25f);
    EXPECT_FLOAT_EQ(intensityAt(s, false, 400), 0.f);
    EXPECT_FLOAT_EQ(intensityAt(s, true, 301), 75.25f);
}

} // namespace
} // namespace lumetra
