// Auto exposure and the picture of a deep frame, on frames made here.
#include "devices/AutoExposure.h"
#include "devices/genicam/DeepDisplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace lumetra;

namespace {

// The peak a sensor with full scale 4095 gives: proportional to the exposure, clipped at the top.
int peakAt(double exposureUs, double countsPerUs, double dark = 40)
{
    return int(std::min(4095.0, std::round(dark + countsPerUs * exposureUs)));
}

AutoExposure::State run(AutoExposure &a, double countsPerUs, int *steps)
{
    *steps = 0;
    while (a.state() == AutoExposure::State::Trying && *steps < 100) {
        a.feed(peakAt(a.exposureUs(), countsPerUs), 4095);
        ++*steps;
    }
    return a.state();
}

} // namespace

TEST(AutoExposure, ReachesTheBandFromDarkAndFromSaturatedOrSaysWhyNot)
{
    const SettingRange range{true, 10, 1e6};
    for (double start : {10.0, 1e6, 3000.0}) {
        AutoExposure a(range, start);
        int steps = 0;
        ASSERT_EQ(run(a, 1.0, &steps), AutoExposure::State::Done) << start << ": " << a.message().toStdString();
        const double fraction = peakAt(a.exposureUs(), 1.0) / 4095.0;
        EXPECT_GE(fraction, 0.70);
        EXPECT_LE(fraction, 0.90);
        EXPECT_LE(steps, 12) << "from " << start;
    }
    AutoExposure weak(range, 100);
    int steps = 0;
    EXPECT_EQ(run(weak, 1e-4, &steps), AutoExposure::State::Failed);
    EXPECT_TRUE(weak.message().contains(QStringLiteral("最长"))) << weak.message().toStdString();
    AutoExposure strong(range, 100);
    EXPECT_EQ(run(strong, 1e6, &steps), AutoExposure::State::Failed);
    EXPECT_TRUE(strong.message().contains(QStringLiteral("最短"))) << strong.message().toStdString();
    AutoExposure none(SettingRange{}, 100);
    EXPECT_EQ(none.state(), AutoExposure::State::Failed);
}

TEST(DeepDisplay, ScalesTheCodesToGreyAndMarksSaturatedPixelsRed)
{
    DeepFrame frame;
    frame.width = 4;
    frame.height = 1;
    frame.bitDepth = 12;
    frame.samples = {0, 2048, 4094, 4095};
    const QImage picture = deepDisplayImage(frame);
    ASSERT_EQ(picture.size(), QSize(4, 1));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel(1, 0), qRgb(128, 128, 128));
    EXPECT_EQ(picture.pixel(2, 0), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(3, 0), qRgb(255, 0, 0));
}
