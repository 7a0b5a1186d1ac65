#include "analysis/curves/IntensityPercents.h"

#include <gtest/gtest.h>

#include <memory>

using namespace lumetra;

namespace {

struct PercentCase
{
    double v, lo, hi;
    int expected;
};

class PercentOf : public ::testing::TestWithParam<PercentCase>
{
};

} // namespace

TEST_P(PercentOf, FloorsTheShareOfTheRangeAndGuardsItsEdges)
{
    const PercentCase c = GetParam();
    EXPECT_EQ(percentOf(c.v, c.lo, c.hi), c.expected) << c.v << " in " << c.lo << ".." << c.hi;
}

INSTANTIATE_TEST_SUITE_P(Values, PercentOf,
                         ::testing::Values(PercentCase{20, 20, 219, 0}, PercentCase{219, 20, 219, 100},
                                           PercentCase{200, 20, 219, 90}, PercentCase{0, 15, 200, 0},
                                           PercentCase{14.9, 15, 200, 0}, PercentCase{90, 90, 90, 0},
                                           PercentCase{120.5, 20, 220, 50}, PercentCase{120.49, 20, 220, 50},
                                           PercentCase{120.3, 20.5, 220.5, 49},
                                           PercentCase{300, 0, 200, 150}));

namespace {

std::unique_ptr<AnalysisState> cut(int orientation, double position)
{
    auto s = std::make_unique<AnalysisState>();
    s->cut.CutOrientation = static_cast<int16_t>(orientation);
    s->cut.CutPosition = position;
    s->picture.ImageGreyMin = 10;
    s->picture.ImageGreyMax = 110;
    s->picture.GreyMin = 0.5;
    s->picture.GreyMax = 200.5;
    s->cut.ProfileMin = 50;
    s->cut.ProfileMax = 150;
    return s;
}

} // namespace

TEST(TablePercents, FaceModeUsesTheImageRangeForRawAndTheWorkingRangeForAnalysed)
{
    auto s = cut(1, 192);
    s->picture.GreyMap(7, 192) = 60;  // (60 - 10) / 100
    s->picture.GreyMap(7, 193) = 110; // another row: not on the cut
    s->cut.ProfileH[7] = 100.5;   // (100.5 - 0.5) / 200
    const TablePercents p = tablePercents(*s, DisplayMode::Face, 7);
    EXPECT_EQ(p.raw, 50);
    EXPECT_EQ(p.analysed, 50);
    EXPECT_EQ(tableRowCount(*s), 640);
}

TEST(TablePercents, LineModeZeroesRawAndUsesTheProfileRange)
{
    auto s = cut(2, 320);
    s->picture.GreyMap(320, 9) = 110;
    s->cut.ProfileV[9] = 150;
    s->cut.ProfileV[10] = 49;
    EXPECT_EQ(tablePercents(*s, DisplayMode::Line, 9).raw, 0);
    EXPECT_EQ(tablePercents(*s, DisplayMode::Line, 9).analysed, 100);
    EXPECT_EQ(tablePercents(*s, DisplayMode::Line, 10).analysed, 0);
    EXPECT_EQ(tablePercents(*s, DisplayMode::Face, 9).raw, 100);
    EXPECT_EQ(tableRowCount(*s), 480);
}

TEST(TablePercents, NoCutOrAPositionOutsideThePictureGivesZero)
{
    auto none = cut(0, 192);
    none->picture.GreyMap(5, 192) = 100;
    EXPECT_EQ(tablePercents(*none, DisplayMode::Face, 5).raw, 0);
    EXPECT_EQ(tableRowCount(*none), 0);

    auto far = cut(1, 5000);
    EXPECT_EQ(tablePercents(*far, DisplayMode::Face, 5).raw, 0);
    auto negative = cut(2, -3);
    EXPECT_EQ(tablePercents(*negative, DisplayMode::Face, 5).raw, 0);
    auto edge = cut(1, 480);
    EXPECT_EQ(tablePercents(*edge, DisplayMode::Face, 640).raw, 0);
    EXPECT_EQ(tablePercents(*edge, DisplayMode::Face, 641).analysed, 0);
}
