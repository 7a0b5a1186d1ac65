// The power gathered along a coordinate, as the knife-edge widths and d86 read it: a row of pixels
// added at once against the same pixels added one by one.
#include "analysis/beam/estimate/PowerDistribution.h"

#include <gtest/gtest.h>

#include <vector>

using lumetra::beam::PowerDistribution;

// Coordinates below the low end, inside and past the high end land in the same bins either way:
// the totals and every reach agree to the bit.
TEST(PowerDistribution, ARowAtOnceAddsAsPixelByPixel)
{
    std::vector<double> coordinates;
    std::vector<float> powers;
    for (int i = 0; i < 37; ++i) {
        coordinates.push_back(-3.3 + 0.61 * i); // -3.3 .. 18.66 against a range of 0 .. 16
        powers.push_back(0.75f * float(1 + (i * 7) % 5));
    }
    PowerDistribution onePixel(0, 16), oneRow(0, 16);
    for (std::size_t i = 0; i < coordinates.size(); ++i)
        onePixel.add(coordinates[i], powers[i]);
    oneRow.addAll(coordinates.data(), powers.data(), coordinates.size());
    EXPECT_EQ(oneRow.total(), onePixel.total());
    for (const double fraction : {0.05, 0.1, 0.5, 0.865, 0.9})
        for (const bool fromLow : {true, false}) {
            const auto expected = onePixel.reach(fraction, fromLow);
            ASSERT_TRUE(expected.has_value()) << fraction;
            EXPECT_EQ(oneRow.reach(fraction, fromLow), expected) << fraction << (fromLow ? " from low" : " from high");
        }
}

// A row of equal pixels from 2 to 9 spreads each over one pixel: half the power lies below the
// middle, 10 % within 0.8 pixels of the first pixel's outer edge; an empty row adds nothing.
TEST(PowerDistribution, ARowSpreadsEachPixelOverOnePixel)
{
    std::vector<double> coordinates;
    for (int x = 2; x <= 9; ++x)
        coordinates.push_back(x);
    const std::vector<float> powers(coordinates.size(), 2.0f);
    PowerDistribution d(0, 12);
    d.addAll(coordinates.data(), powers.data(), 0);
    EXPECT_FALSE(d.reach(0.5).has_value());
    d.addAll(coordinates.data(), powers.data(), coordinates.size());
    EXPECT_DOUBLE_EQ(d.total(), 16.0);
    EXPECT_NEAR(*d.reach(0.5), 5.5, 1e-9);
    EXPECT_NEAR(*d.reach(0.1), 1.5 + 0.8, 1e-9);
    EXPECT_NEAR(*d.reach(0.1, false), 9.5 - 0.8, 1e-9);
}
