#include "analysis/picture/RegionGrid.h"

#include <gtest/gtest.h>

#include <memory>

using namespace lumetra;

namespace {

// A state whose GreyMap holds `fill` everywhere in 1..639 x 1..479 (column 640 and row 480 stay 0,
// as after sampling), with the grey range lo..hi.
std::unique_ptr<AnalysisState> stateWith(int fill, double lo, double hi)
{
    auto state = std::make_unique<AnalysisState>();
    for (int y = 1; y < 480; ++y)
        for (int x = 1; x < 640; ++x)
            state->picture.GreyMap(x, y) = fill;
    state->picture.GreyMin = lo;
    state->picture.GreyMax = hi;
    return state;
}

void fillBlock(AnalysisState &state, int xFirst, int yFirst, int xLast, int yLast, int value)
{
    for (int y = yFirst; y <= yLast; ++y)
        for (int x = xFirst; x <= xLast; ++x)
            state.picture.GreyMap(x, y) = value;
}

} // namespace

TEST(RegionRules, DegenerateNormalisedTooSmallAndLimited)
{
    EXPECT_TRUE(regionIsDegenerate({200, 100, 200, 160}));
    EXPECT_TRUE(regionIsDegenerate({200, 100, 300, 100}));
    EXPECT_FALSE(regionIsDegenerate({200, 100, 201, 101}));

    EXPECT_EQ(normaliseRegion({300, 160, 200, 100}), (RegionCorners{200, 100, 300, 160}));
    EXPECT_EQ(normaliseRegion({300, 100, 200, 160}), (RegionCorners{200, 100, 300, 160}));

    EXPECT_TRUE(regionTooSmall({200, 100, 215, 200}));  // 15 wide
    EXPECT_TRUE(regionTooSmall({200, 100, 300, 115}));  // 15 high
    EXPECT_TRUE(regionTooSmall({200, 100, 219, 200}));  // 19: a tenth of it is 1
    EXPECT_FALSE(regionTooSmall({200, 100, 220, 120})); // 20 x 20 is the smallest region

    EXPECT_EQ(limitRegion({10, 20, 700, 470}), (RegionCorners{10, 20, 640, 437}));
    EXPECT_EQ(limitRegion({10, 20, 640, 437}), (RegionCorners{10, 20, 640, 437}));
    EXPECT_EQ(limitRegion({10, 20, 300, 200}), (RegionCorners{10, 20, 300, 200}));
    EXPECT_EQ(limitRegion({-30, -5, 100, 90}), (RegionCorners{0, 0, 100, 90}));
}

TEST(RegionRules, FactorAcceptsEvenValuesTwoToTenWithLeadingZeros)
{
    for (const char *good : {"2", "4", "6", "8", "10", "08", "06", "010", "0000000000004"}) {
        const auto f = parseRegionFactor(QString::fromLatin1(good));
        ASSERT_TRUE(f.has_value()) << good;
        EXPECT_EQ(*f, QString::fromLatin1(good).toInt()) << good;
    }
    for (const char *bad : {"5", "12", "0", "abc", "", "1", "3", "9", "11", "00", "-2", "+4", " 6", "6 ",
                            "6.0", "1e1", "100000000000000000000"})
        EXPECT_FALSE(parseRegionFactor(QString::fromLatin1(bad)).has_value()) << bad;
    // Digits of other scripts are not decimal digits here.
    EXPECT_FALSE(parseRegionFactor(QStringLiteral("٤")).has_value());
    EXPECT_FALSE(parseRegionFactor(QStringLiteral("６")).has_value());
}

TEST(RegionGrid, SizeAndRangeFollowTheRegionAndFactor)
{
    const auto state = stateWith(60, 10, 110);
    const RegionGrid grid = computeRegionGrid(state->picture, {200, 100, 300, 160}, 10);
    EXPECT_EQ(grid.rows(), 11);
    EXPECT_EQ(grid.columns(), 7);
    EXPECT_EQ(grid.range(), QStringLiteral("A1:G11"));

    const RegionGrid wide = computeRegionGrid(state->picture, {100, 50, 200, 310}, 10);
    EXPECT_EQ(wide.columns(), 27);
    EXPECT_EQ(wide.range(), QStringLiteral("A1:AA11"));

    const RegionGrid full = computeRegionGrid(state->picture, {1, 1, 640, 437}, 2);
    EXPECT_EQ(full.rows(), 320);
    EXPECT_EQ(full.columns(), 219);
    EXPECT_EQ(full.range(), QStringLiteral("A1:HK320"));

    // A region that lies wholly below the last charted row has no cells after limiting.
    EXPECT_TRUE(computeRegionGrid(state->picture, limitRegion({100, 450, 200, 470}), 4).isEmpty());
}

TEST(RegionGrid, CellsArePercentOfTheGreyRangeOverCentredBlocks)
{
    // Region (200, 100)-(300, 160), f = 10: cell (1, 1) is the block x 196..205, y 96..105.
    auto state = stateWith(10, 10, 110);
    fillBlock(*state, 196, 96, 205, 105, 110);
    const RegionGrid grid = computeRegionGrid(state->picture, {200, 100, 300, 160}, 10);
    EXPECT_EQ(grid.cell(1, 1), 100);
    EXPECT_EQ(grid.cell(2, 1), 0);
    EXPECT_EQ(grid.cell(1, 2), 0);
    EXPECT_EQ(grid.maximum(), 100);
    EXPECT_EQ(grid.minimum(), 0);

    // One pixel of 60 more in the block of cell (3, 2) (x 216..225, y 106..115) raises its mean
    // by 0.6 grey: floor(0.6) = 0 percent; ten such pixels raise it by 6.
    fillBlock(*state, 225, 115, 225, 115, 70);
    EXPECT_EQ(computeRegionGrid(state->picture, {200, 100, 300, 160}, 10).cell(3, 2), 0);
    fillBlock(*state, 216, 115, 225, 115, 70);
    EXPECT_EQ(computeRegionGrid(state->picture, {200, 100, 300, 160}, 10).cell(3, 2), 6);
    // A block darker than GreyMin reads 0 %, the bottom of the scale (never below it).
    fillBlock(*state, 216, 106, 225, 115, 0);
    EXPECT_EQ(computeRegionGrid(state->picture, {200, 100, 300, 160}, 10).cell(3, 2), 0);
}

TEST(RegionGrid, IndexOneAnchorsBlocksAtThePictureCorner)
{
    // Region from (1, 1), f = 10: cell (1, 2) has i = 1 and reads x 1..10, y 11..20; cell (2, 2)
    // has neither index 1 and reads the centred block x 7..16, y 7..16.
    auto state = stateWith(10, 10, 110);
    fillBlock(*state, 1, 11, 10, 20, 110);
    RegionGrid grid = computeRegionGrid(state->picture, {1, 1, 41, 41}, 10);
    EXPECT_EQ(grid.cell(1, 2), 100);
    EXPECT_EQ(grid.cell(2, 2), 24); // x 7..10 by y 11..16 of the bright block: 24 of 100 pixels

    // Left edge at pixel 1 with the top edge further down: the first grid row's blocks sit at
    // y0 = 10 (j - 1), far below the picture, and read the empty row 480 instead.
    state = stateWith(60, 10, 110);
    grid = computeRegionGrid(state->picture, {1, 100, 41, 140}, 10);
    for (int c = 1; c <= grid.columns(); ++c) {
        EXPECT_EQ(grid.cell(1, c), 0) << c;
        EXPECT_EQ(grid.cell(2, c), 50) << c;
    }
}

TEST(RegionGrid, BlocksOutsideTheMapReadClampedPixelsAndKeepTheDivisor)
{
    // Right edge at 640, f = 10: the last row's block (i = 604) spans x 636..645; columns
    // 636..639 hold 60, the other six samples read column 640, which is 0.
    auto state = stateWith(60, 10, 110);
    RegionGrid grid = computeRegionGrid(state->picture, {600, 100, 640, 140}, 10);
    ASSERT_EQ(grid.rows(), 5);
    EXPECT_EQ(grid.cell(4, 1), 50);
    EXPECT_EQ(grid.cell(5, 1), static_cast<int>(floor(100.0 * (4 * 60 / 10.0 - 10) / 100)));

    // Left and top edges 3 pixels from the picture edge: x and y reach -1 and 0, outside the
    // picture (the grey map's row and column 0 hold no pixel), and read the picture's first
    // column and row instead: the cell is the picture's level, not a negative percentage.
    grid = computeRegionGrid(state->picture, {3, 3, 43, 43}, 10);
    EXPECT_EQ(grid.cell(1, 1), 50);
    EXPECT_EQ(grid.cell(2, 2), 50);
    EXPECT_EQ(grid.minimum(), 50);
}

TEST(RegionGrid, AFlatPictureGivesZeroCells)
{
    const auto state = stateWith(40, 40, 40);
    const RegionGrid grid = computeRegionGrid(state->picture, {200, 100, 300, 160}, 4);
    ASSERT_FALSE(grid.isEmpty());
    EXPECT_EQ(grid.minimum(), 0);
    EXPECT_EQ(grid.maximum(), 0);
}

TEST(RegionGrid, SheetPutsCellRowColumnAtWorksheetRowColumn)
{
    auto state = stateWith(10, 10, 110);
    fillBlock(*state, 196, 96, 205, 105, 110); // cell (1, 1) = 100
    fillBlock(*state, 266, 146, 275, 155, 60); // cell (8, 6) = 50
    const RegionGrid grid = computeRegionGrid(state->picture, {200, 100, 300, 160}, 10);
    const WorkbookSheet sheet = grid.toSheet();
    EXPECT_EQ(sheet.cells().size(), 77u);
    ASSERT_NE(sheet.find(1, 1), nullptr);
    EXPECT_DOUBLE_EQ(sheet.find(1, 1)->number(), 100);
    ASSERT_NE(sheet.find(8, 6), nullptr);
    EXPECT_DOUBLE_EQ(sheet.find(8, 6)->number(), 50);
    EXPECT_EQ(sheet.find(6, 8), nullptr); // rows follow x: there are 7 columns, not 8
    EXPECT_DOUBLE_EQ(sheet.find(11, 7)->number(), 0);
}
