// The power gathered along a coordinate, as the knife-edge widths and d86 read it: a row of pixels
// added at once against the same pixels added one by one.
#include "analysis/beam/estimate/PowerDistribution.h"

#include <gtest/gtest.h>

#include <cmath>
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

// Three distributions filled in one interleaved loop, row after row, take the same additions in
// the same order as each filled alone: every bin, total and reach is the same to the bit. Rows
// whose pixels keep to one bin, step one bin or jump, and run past both ends.
TEST(PowerDistribution, ThreeAtOnceAddAsEachAlone)
{
    PowerDistribution together[3] = {PowerDistribution(0, 30), PowerDistribution(-20, 20), PowerDistribution(-5, 5)};
    PowerDistribution alone[3] = {PowerDistribution(0, 30), PowerDistribution(-20, 20), PowerDistribution(-5, 5)};
    for (int row = 0; row < 9; ++row) {
        const std::size_t n = std::size_t(3 + row * 5);
        std::vector<double> at[3];
        std::vector<float> powers;
        for (std::size_t i = 0; i < n; ++i) {
            const double x = double(i) - double(n) / 2;
            at[0].push_back(std::sqrt(x * x + row * row)); // a radius: slow near the middle
            at[1].push_back(-25 + 0.93 * double(i) + row); // steps of about four bins
            at[2].push_back(0.01 * double(i) - 0.3 * row);  // keeps to a bin, then off the low end
            powers.push_back(0.1f + float((i * 13 + std::size_t(row)) % 7) * 1.37f);
        }
        PowerDistribution::addAll(together[0], at[0].data(), together[1], at[1].data(), together[2], at[2].data(),
                                  powers.data(), n);
        for (int k = 0; k < 3; ++k)
            alone[k].addAll(at[k].data(), powers.data(), n);
    }
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(together[k].total(), alone[k].total()) << k;
        for (double fraction = 0.01; fraction < 1; fraction += 0.01)
            for (const bool fromLow : {true, false})
                ASSERT_EQ(together[k].reach(fraction, fromLow), alone[k].reach(fraction, fromLow))
                    << k << " " << fraction << (fromLow ? " from low" : " from high");
    }
}
