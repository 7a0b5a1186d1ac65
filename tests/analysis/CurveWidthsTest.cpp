#include "analysis/curves/CurveWidths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace lumetra {
namespace {

std::vector<double> gaussian(int n, double centre, double sigma, double peak, double background, bool round)
{
    std::vector<double> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double g = background + peak * std::exp(-(i - centre) * (i - centre) / (2 * sigma * sigma));
        v[size_t(i)] = round ? std::round(g) : g;
    }
    return v;
}

TEST(CurveWidths, GaussianWidthsWithinHalfAPixelOfTheirDefinitions)
{
    // Grey levels as a picture gives them (whole levels on a dark level), narrow to wide,
    // off-centre; and unrounded values for very wide beams, whose flanks are so flat that whole
    // grey levels alone shift a crossing by half a pixel.
    struct Case { double sigma; bool round; };
    for (const Case c : {Case{3.0, true}, Case{8.5, true}, Case{20.0, true}, Case{40.0, true},
                         Case{55.0, false}, Case{70.0, false}}) {
        const double sigma = c.sigma;
        for (const double centre : {300.0, 321.37}) {
            SCOPED_TRACE(testing::Message() << "sigma " << sigma << " centre " << centre);
            const CurveWidths w = measureCurveWidths(gaussian(639, centre, sigma, 220, 12, c.round));
            ASSERT_TRUE(w.hasPeak);
            ASSERT_TRUE(w.halfMaximum.width());
            ASSERT_TRUE(w.e2.width());
            EXPECT_NEAR(*w.halfMaximum.width(), 2 * std::sqrt(2 * std::log(2.0)) * sigma, 0.5);
            EXPECT_NEAR(*w.e2.width(), 4 * sigma, 0.5);
            EXPECT_NEAR((*w.halfMaximum.left + *w.halfMaximum.right) / 2, centre, 0.5);
            EXPECT_NEAR(w.baseline, 12, 0.05);
        }
    }
}

TEST(CurveWidths, CrossingsAreInterpolatedBetweenSamplesFromTheMaximumOutward)
{
    // Level 0.5 of 0..10 = 5: left between samples 1 (2) and 2 (8), right between 4 (6) and 5 (0).
    // The second bump at 7..8 lies beyond the first crossing and is not reached.
    const std::vector<double> v{0, 2, 8, 10, 6, 0, 0, 9, 9, 0};
    const CurveWidth w = measureCurveWidth(v, 0.5);
    ASSERT_TRUE(w.complete());
    EXPECT_DOUBLE_EQ(*w.left, 1.5);
    EXPECT_DOUBLE_EQ(*w.right, 4 + 1.0 / 6);
    EXPECT_DOUBLE_EQ(w.level, 5);
}

TEST(CurveWidths, MissingCrossingsAndFlatCurvesHaveNoWidth)
{
    std::vector<double> ramp;
    for (int i = 0; i < 100; ++i)
        ramp.push_back(10 + i);
    const CurveWidths r = measureCurveWidths(ramp);
    EXPECT_TRUE(r.hasPeak);
    EXPECT_TRUE(r.halfMaximum.left);
    EXPECT_FALSE(r.halfMaximum.right); // the maximum is the last sample
    EXPECT_FALSE(r.halfMaximum.width());
    EXPECT_FALSE(r.e2.width());

    for (const std::vector<double> &flat : {std::vector<double>{}, std::vector<double>(50, 7.0)}) {
        const CurveWidths f = measureCurveWidths(flat);
        EXPECT_FALSE(f.hasPeak);
        EXPECT_FALSE(f.halfMaximum.left || f.halfMaximum.right || f.e2.left || f.e2.right);
    }
}

} // namespace
} // namespace lumetra
