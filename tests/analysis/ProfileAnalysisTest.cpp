#include "analysis/curves/ProfileAnalysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

using namespace lumetra;

namespace {

std::unique_ptr<AnalysisState> openCut(int orientation, double cut, double width)
{
    auto state = std::make_unique<AnalysisState>();
    state->picture.ImageWidth = 640;
    state->picture.ImageHeight = 480;
    state->cut.Active = true;
    state->cut.CutOrientation = static_cast<int16_t>(orientation);
    state->cut.CutPosition = cut;
    state->cut.IntegrationWidth = width;
    return state;
}

// Every grey cell of rows/columns 1..479 / 1..639 set to 1 (row 0 and column 0 stay 0, row 480 and
// column 640 are 0 as after sampling).
void fillOnes(AnalysisState &state)
{
    for (int y = 1; y < 480; ++y)
        for (int x = 1; x < 640; ++x)
            state.picture.GreyMap(x, y) = 1;
}

void fillRandom(AnalysisState &state, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> grey(0, 255);
    for (int y = 1; y < 480; ++y)
        for (int x = 1; x < 640; ++x)
            state.picture.GreyMap(x, y) = grey(gen);
}

// The analysed profile computed the plain way, straight from the description of the smoothing:
// every window summed afresh, from its lowest index up.
std::vector<double> referenceProfile(const AnalysisState &state, int n)
{
    const bool horizontal = state.cut.CutOrientation == 1;
    const int last = horizontal ? 640 : 480;
    const int bound = horizontal ? 480 : 640;
    const int c = static_cast<int>(state.cut.CutPosition);
    const int first = std::max(c - 4, 0), lastLine = std::min(c + 4, bound);
    std::vector<double> p(static_cast<size_t>(last) + 1, 0.0);
    auto put = [&](int i, double v) { p[static_cast<size_t>(i)] = horizontal ? v : std::nearbyint(v); };
    auto at = [&](int i) { return p[static_cast<size_t>(i)]; };
    for (int i = 1; i <= last; ++i) {
        double sum = 0;
        for (int line = first; line <= lastLine; ++line)
            sum += horizontal ? state.picture.GreyMap(i, line) : state.picture.GreyMap(line, i);
        put(i, sum / (lastLine - first + 1));
    }
    const double d = 2 * n + 1;
    for (int i = n + 1; i <= last - n; ++i) {
        double sum = at(i);
        for (int k = 1; k <= n; ++k)
            sum = sum + (at(i + k) + at(i - k));
        put(i, sum / d);
    }
    for (int i = 1; i <= n; ++i) {
        double sum = at(1);
        for (int j = 2; j <= 2 * n + 1; ++j)
            sum = sum + at(j);
        put(i, sum / d);
    }
    for (int i = last - n + 1; i <= last; ++i) {
        double sum = at(last - 2 * n);
        for (int j = last - 2 * n + 1; j <= last; ++j)
            sum = sum + at(j);
        put(i, sum / d);
    }
    return p;
}

double profileAt(const AnalysisState &state, int i)
{
    return state.cut.CutOrientation == 1 ? state.cut.ProfileH[static_cast<size_t>(i)]
                                     : static_cast<double>(state.cut.ProfileV[static_cast<size_t>(i)]);
}

} // namespace

namespace {

struct BandCase
{
    int orientation;
    int cut;
    double expected; // the band average of ones when the edge lines (0 and 480/640) hold 0
};

class BandClamping : public ::testing::TestWithParam<BandCase>
{
};

} // namespace

TEST_P(BandClamping, AveragesTheLinesInsideTheArrays)
{
    const BandCase c = GetParam();
    auto state = openCut(c.orientation, c.cut, 0);
    fillOnes(*state);
    profile::AnalyseProfile(*state);
    if (c.orientation == 1) {
        for (int x : {1, 320, 639})
            EXPECT_DOUBLE_EQ(state->cut.ProfileH[static_cast<size_t>(x)], c.expected) << x;
        EXPECT_DOUBLE_EQ(state->cut.ProfileH[640], 0.0); // column 640 is all zero
    } else {
        for (int y : {1, 240, 479})
            EXPECT_EQ(state->cut.ProfileV[static_cast<size_t>(y)],
                      static_cast<int16_t>(std::nearbyint(c.expected)))
                << y;
    }
}

// Rows 0 and 480 (columns 0 and 640) hold 0 and count in the divisor.
INSTANTIATE_TEST_SUITE_P(
    Edges, BandClamping,
    ::testing::Values(BandCase{1, 0, 4.0 / 5}, BandCase{1, 1, 5.0 / 6}, BandCase{1, 2, 6.0 / 7},
                      BandCase{1, 3, 7.0 / 8}, BandCase{1, 4, 8.0 / 9}, BandCase{1, 5, 1.0},
                      BandCase{1, 475, 1.0}, BandCase{1, 476, 8.0 / 9}, BandCase{1, 477, 7.0 / 8},
                      BandCase{1, 478, 6.0 / 7}, BandCase{1, 479, 5.0 / 6}, BandCase{1, 480, 4.0 / 5},
                      BandCase{2, 0, 4.0 / 5}, BandCase{2, 2, 6.0 / 7}, BandCase{2, 4, 8.0 / 9},
                      BandCase{2, 636, 8.0 / 9}, BandCase{2, 640, 4.0 / 5}));

TEST(AnalyseProfile, HorizontalKeepsFractionsOfTheSevenLineBand)
{
    auto state = openCut(1, 2, 0);
    for (int y = 1; y <= 6; ++y)
        state->picture.GreyMap(10, y) = y * 10; // rows 1..6 of column 10: 10..60, row 0 is 0
    state->picture.GreyMap(10, 7) = 1000;       // outside the band
    profile::AnalyseProfile(*state);
    EXPECT_DOUBLE_EQ(state->cut.ProfileH[10], 210.0 / 7);
    state->picture.GreyMap(11, 1) = 1;
    profile::AnalyseProfile(*state);
    EXPECT_DOUBLE_EQ(state->cut.ProfileH[11], 1.0 / 7);
}

TEST(AnalyseProfile, VerticalRoundsTheAverageHalfToEven)
{
    // Column cut at 3: columns 0..7, eight lines, so sums of 4, 12 and 20 give 0.5, 1.5 and 2.5.
    auto state = openCut(2, 3, 0);
    state->picture.GreyMap(1, 10) = 4;
    state->picture.GreyMap(1, 11) = 12;
    state->picture.GreyMap(7, 12) = 20;
    state->picture.GreyMap(2, 13) = 28;
    state->picture.GreyMap(8, 14) = 500; // column 8 is outside the band
    profile::AnalyseProfile(*state);
    EXPECT_EQ(state->cut.ProfileV[10], 0);
    EXPECT_EQ(state->cut.ProfileV[11], 2);
    EXPECT_EQ(state->cut.ProfileV[12], 2);
    EXPECT_EQ(state->cut.ProfileV[13], 4);
    EXPECT_EQ(state->cut.ProfileV[14], 0);
}

TEST(AnalyseProfile, VerticalInPlaceEdgePassesWithWidthTwo)
{
    // Band columns 316..324 all equal, so the cross-cut average of row i is g(i).
    const int g[] = {9, 2, 7, 4, 1, 8};
    auto state = openCut(2, 320, 2);
    for (int i = 1; i <= 6; ++i)
        for (int x = 316; x <= 324; ++x)
            state->picture.GreyMap(x, i) = g[i - 1];
    profile::AnalyseProfile(*state);
    // Interior, in place: P3 = (7+4+2+1+9)/5 = 4.6 -> 5; P4 = (4+1+5+8+2)/5 = 4;
    // P5 = (1+8+4+0+5)/5 = 3.6 -> 4; P6 = (8+0+4+0+4)/5 = 3.2 -> 3; P7 = 1.4 -> 1; P8 = 0.8 -> 1;
    // P9 = 0.4 -> 0. Leading edge: P1 = (9+2+5+4+4)/5 = 4.8 -> 5; P2 = (5+2+5+4+4)/5 = 4.
    const int expected[] = {5, 4, 5, 4, 4, 3, 1, 1, 0, 0};
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(state->cut.ProfileV[static_cast<size_t>(i)], expected[i - 1]) << i;
    for (int i = 470; i <= 480; ++i)
        EXPECT_EQ(state->cut.ProfileV[static_cast<size_t>(i)], 0) << i;
}

TEST(AnalyseProfile, TrailingEdgeUsesTheSmoothedTail)
{
    // Horizontal, N = 1, band rows 96..104 equal, so the cross-cut average is the grey value.
    auto state = openCut(1, 100, 1);
    for (int y = 96; y <= 104; ++y) {
        state->picture.GreyMap(637, y) = 9;
        state->picture.GreyMap(638, y) = 3;
        state->picture.GreyMap(639, y) = 6;
    }
    profile::AnalyseProfile(*state);
    // The interior pass runs upwards and reads the samples it has just replaced:
    const double p636 = (0.0 + (9.0 + 0.0)) / 3;  // 635 and 636 were 0
    const double p637 = (9.0 + (3.0 + p636)) / 3; // reads the new 636
    const double p638 = (3.0 + (6.0 + p637)) / 3; // reads the new 637
    const double p639 = (6.0 + (0.0 + p638)) / 3; // the last interior sample (L - N)
    EXPECT_DOUBLE_EQ(state->cut.ProfileH[636], p636);
    EXPECT_DOUBLE_EQ(state->cut.ProfileH[637], p637);
    EXPECT_DOUBLE_EQ(state->cut.ProfileH[638], p638);
    EXPECT_DOUBLE_EQ(state->cut.ProfileH[639], p639);
    EXPECT_NE(p638, (3.0 + 6.0 + 9.0) / 3) << "the example separates in-place from plain smoothing";
    // Trailing edge: sample 640 (column 640 holds 0) becomes the mean of 638..640.
    EXPECT_DOUBLE_EQ(state->cut.ProfileH[640], ((p638 + p639) + 0.0) / 3);
}

namespace {

struct WidthCase
{
    int orientation;
    int width;
};

class SmoothingOrder : public ::testing::TestWithParam<WidthCase>
{
};

} // namespace

TEST_P(SmoothingOrder, MatchesThePlainSumsBitForBit)
{
    const auto [orientation, width] = GetParam();
    auto state = openCut(orientation, orientation == 1 ? 201 : 333, width);
    fillRandom(*state, 17u + static_cast<unsigned>(width));
    profile::AnalyseProfile(*state);
    const std::vector<double> expected = referenceProfile(*state, width);
    const int last = orientation == 1 ? 640 : 480;
    for (int i = 1; i <= last; ++i)
        ASSERT_EQ(profileAt(*state, i), expected[static_cast<size_t>(i)]) << "sample " << i;
}

INSTANTIATE_TEST_SUITE_P(Widths, SmoothingOrder,
                         ::testing::Values(WidthCase{1, 0}, WidthCase{1, 1}, WidthCase{1, 5},
                                           WidthCase{1, 50}, WidthCase{1, 239}, WidthCase{1, 319},
                                           WidthCase{2, 2}, WidthCase{2, 37}, WidthCase{2, 239}));

TEST(AnalyseProfile, WidthIsClampedToWhatTheProfileHolds)
{
    auto big = openCut(1, 200, 1000);
    auto limit = openCut(1, 200, 319);
    auto negative = openCut(2, 300, -7);
    auto none = openCut(2, 300, 0);
    auto tall = openCut(2, 300, 5000);
    auto tallLimit = openCut(2, 300, 239);
    for (auto *s : {big.get(), limit.get(), negative.get(), none.get(), tall.get(), tallLimit.get()}) {
        fillRandom(*s, 3);
        profile::AnalyseProfile(*s);
    }
    EXPECT_EQ(big->cut.ProfileH, limit->cut.ProfileH);
    EXPECT_EQ(negative->cut.ProfileV, none->cut.ProfileV);
    EXPECT_EQ(tall->cut.ProfileV, tallLimit->cut.ProfileV);
    EXPECT_NE(none->cut.ProfileV, tallLimit->cut.ProfileV);
}

TEST(AnalyseProfile, WidensTheWorkingRangeOnlyAndSkipsZeros)
{
    auto state = openCut(1, 240, 0);
    state->picture.GreyMin = 50;
    state->picture.GreyMax = 60;
    for (int y = 236; y <= 244; ++y) {
        state->picture.GreyMap(100, y) = 200;
        state->picture.GreyMap(101, y) = y == 240 ? 9 : 0; // average 1
    }
    profile::AnalyseProfile(*state);
    EXPECT_EQ(state->picture.GreyMax, 200);
    EXPECT_EQ(state->picture.GreyMin, 1);
    EXPECT_EQ(state->picture.ImageGreyMax, 0) << "the image range copies are not touched";

    auto narrow = openCut(1, 240, 0);
    narrow->picture.GreyMin = 0.5;
    narrow->picture.GreyMax = 255;
    for (int x = 1; x <= 640; ++x)
        narrow->picture.GreyMap(x, 240) = 90;
    profile::AnalyseProfile(*narrow);
    EXPECT_EQ(narrow->picture.GreyMin, 0.5);
    EXPECT_EQ(narrow->picture.GreyMax, 255);
}

TEST(AnalyseProfile, DoesNothingWithoutAnOpenCurveWindowOrCut)
{
    auto closed = openCut(1, 240, 0);
    closed->cut.Active = false;
    fillOnes(*closed);
    profile::AnalyseProfile(*closed);
    EXPECT_EQ(closed->cut.ProfileH[5], 0.0);

    auto noCut = openCut(0, 240, 0);
    fillOnes(*noCut);
    profile::AnalyseProfile(*noCut);
    EXPECT_EQ(noCut->cut.ProfileH[5], 0.0);
    EXPECT_EQ(noCut->cut.ProfileV[5], 0);
    EXPECT_EQ(noCut->picture.GreyMax, 0.0);

    auto outside = openCut(1, 900, 0);
    fillOnes(*outside);
    profile::AnalyseProfile(*outside);
    EXPECT_EQ(outside->cut.ProfileH[5], 0.0);
}

TEST(ProfileRange, FractionsAreRoundedHalfToEvenWhenTaken)
{
    auto state = openCut(1, 0, 0);
    auto &p = state->cut.ProfileH;
    p.fill(100);
    p[1] = 100.5; // seed: 100
    p[2] = 101.5; // > 100: taken as 102
    p[3] = 99.5;  // < 100: taken as 100 for the minimum
    p[4] = 101.9; // not above 102
    p[5] = 0;     // skipped by the minimum
    profile::FindProfileMax(*state);
    profile::FindProfileMin(*state);
    EXPECT_EQ(state->cut.ProfileMax, 102);
    EXPECT_EQ(state->cut.ProfileMin, 100);

    p[6] = 99.4; // < 100: 99
    profile::FindProfileMin(*state);
    EXPECT_EQ(state->cut.ProfileMin, 99);

    p[7] = 0.3; // not 0, smaller: rounds to 0, and nothing is smaller after that
    p[8] = 50;
    profile::FindProfileMin(*state);
    EXPECT_EQ(state->cut.ProfileMin, 0);
}

TEST(ProfileRange, ZeroSeedStaysTheMinimumAndVerticalUsesItsOwnLength)
{
    auto state = openCut(2, 0, 0);
    auto &v = state->cut.ProfileV;
    v.fill(0);
    for (int i = 2; i <= 480; ++i)
        v[static_cast<size_t>(i)] = static_cast<int16_t>(10 + i % 50);
    v[480] = 250;
    profile::FindProfileMin(*state);
    profile::FindProfileMax(*state);
    EXPECT_EQ(state->cut.ProfileMin, 0);
    EXPECT_EQ(state->cut.ProfileMax, 250);

    v[1] = 30;
    profile::FindProfileMin(*state);
    EXPECT_EQ(state->cut.ProfileMin, 10);

    state->cut.ProfileH.fill(255); // the vertical routines do not look at the horizontal profile
    profile::FindProfileMax(*state);
    EXPECT_EQ(state->cut.ProfileMax, 250);

    state->cut.CutOrientation = 0;
    state->cut.ProfileMin = -3;
    profile::FindProfileMin(*state);
    EXPECT_EQ(state->cut.ProfileMin, -3);
}
