#include "devices/V4l2Mapping.h"

#include <linux/videodev2.h>

#include <gtest/gtest.h>

using namespace lumetra::v4l2map;

TEST(V4l2Mapping, SubtypesNameTheirDriverLayoutsBothWays)
{
    const quint32 expected[] = {V4L2_PIX_FMT_RGB555, V4L2_PIX_FMT_RGB24, V4L2_PIX_FMT_YUYV,
                                V4L2_PIX_FMT_YVU410, V4L2_PIX_FMT_YVU420};
    for (int s = 0; s < 5; ++s) {
        EXPECT_EQ(subtypeFourcc(s), expected[s]);
        EXPECT_EQ(fourccSubtype(expected[s]), s);
    }
    EXPECT_EQ(subtypeFourcc(-1), 0u);
    EXPECT_EQ(subtypeFourcc(5), 0u);
    EXPECT_EQ(fourccSubtype(V4L2_PIX_FMT_MJPEG), -1);
}

TEST(V4l2Mapping, StandardsAndTheDriverSetsTheyBelongTo)
{
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(standardIndex(standardId(s)), s);
    EXPECT_EQ(standardId(3), 0u);
    EXPECT_EQ(standardIndex(V4L2_STD_PAL_B), 1);
    EXPECT_EQ(standardIndex(V4L2_STD_NTSC_M_JP), 0);
    EXPECT_EQ(standardIndex(V4L2_STD_SECAM_L), 2);
    EXPECT_EQ(standardIndex(V4L2_STD_PAL | V4L2_STD_NTSC), 1); // a mixed set: PAL first
    EXPECT_EQ(standardIndex(V4L2_STD_NTSC | V4L2_STD_SECAM), 0);
    EXPECT_EQ(standardIndex(0), -1);
}

TEST(V4l2Mapping, HalfwayIsTheDriverDefaultAndTheEndsAreItsLimits)
{
    const ControlRange contrast{0, 95, 1, 32};
    EXPECT_EQ(toDriverValue(5000, contrast), 32);
    EXPECT_EQ(toCardValue(32, contrast), 5000);
    EXPECT_EQ(toDriverValue(0, contrast), 0);
    EXPECT_EQ(toDriverValue(10000, contrast), 95);
    EXPECT_EQ(toCardValue(0, contrast), 0);
    EXPECT_EQ(toCardValue(95, contrast), 10000);
    EXPECT_EQ(toDriverValue(2500, contrast), 16);
    EXPECT_EQ(toCardValue(16, contrast), 2500);
    // Outside the scale or the range: the nearest end.
    EXPECT_EQ(toDriverValue(-5, contrast), 0);
    EXPECT_EQ(toDriverValue(12000, contrast), 95);
    EXPECT_EQ(toCardValue(300, contrast), 10000);
}

TEST(V4l2Mapping, ADefaultOnAnEndGivesOneStraightLine)
{
    const ControlRange gain{0, 200, 1, 0};
    EXPECT_EQ(toDriverValue(5000, gain), 100);
    EXPECT_EQ(toCardValue(100, gain), 5000);
    EXPECT_EQ(toCardValue(0, gain), 0);
    const ControlRange flat{7, 7, 1, 7};
    EXPECT_EQ(toDriverValue(9000, flat), 7);
    EXPECT_EQ(toCardValue(7, flat), 5000);
}

TEST(V4l2Mapping, DriverValuesLandOnTheStepAndRoundTripCloseToTheCardValue)
{
    const ControlRange hue{-2000, 2000, 100, 0};
    for (int v = 0; v <= 10000; v += 137) {
        const int driver = toDriverValue(v, hue);
        EXPECT_EQ((driver + 2000) % 100, 0) << v;
        EXPECT_NEAR(toCardValue(driver, hue), v, 125) << v; // half a step on the card scale
    }
    // The mapping never runs backwards.
    int previous = toDriverValue(0, hue);
    for (int v = 1; v <= 10000; ++v) {
        const int d = toDriverValue(v, hue);
        EXPECT_GE(d, previous);
        previous = d;
    }
}
