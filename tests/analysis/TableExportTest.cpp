#include "analysis/picture/TableExport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace lumetra;

namespace {

double number(const WorkbookSheet &sheet, int row, int column)
{
    const WorkbookCell *cell = sheet.find(row, column);
    EXPECT_NE(cell, nullptr) << row << "," << column;
    EXPECT_TRUE(cell && cell->isNumber()) << row << "," << column;
    return cell ? cell->number() : -9999;
}

// Row and column of position k's "X" cell.
int rowOf(int k)
{
    return (k - 1) % 20 + 2;
}
int columnOf(int k)
{
    return 3 * ((k - 1) / 20) + 1;
}

// A horizontal cut at row 100 with GreyMin..picture.GreyMax = 20..220 and ProfileMin..cut.ProfileMax 40..90.
std::unique_ptr<AnalysisState> horizontalCut()
{
    auto s = std::make_unique<AnalysisState>();
    s->cut.CutOrientation = 1;
    s->cut.CutPosition = 100;
    s->picture.GreyMin = 20;
    s->picture.GreyMax = 220;
    s->cut.ProfileMin = 40;
    s->cut.ProfileMax = 90;
    for (int x = 1; x < 640; ++x) {
        s->picture.GreyMap(x, 100) = 120;
        s->cut.ProfileH[static_cast<size_t>(x)] = 70.5;
    }
    s->picture.GreyMap(7, 100) = 0;    // a pixel without data
    s->picture.GreyMap(21, 100) = 170; // 75 %
    s->picture.GreyMap(21, 101) = 220; // another row: must not be read
    return s;
}

} // namespace

TEST(TableExport, HorizontalCutFillsThirtyTwoGroupsOfTwentyPositions)
{
    const auto state = horizontalCut();
    const WorkbookSheet sheet = buildCutTable(*state, TableMode::Face);
    EXPECT_EQ(cutTableGroups(*state), 32);
    EXPECT_EQ(sheet.cells().size(), 640u * 3 + 96);

    EXPECT_DOUBLE_EQ(number(sheet, 2, 1), 1);     // A2
    EXPECT_DOUBLE_EQ(number(sheet, 21, 1), 20);   // A21
    EXPECT_DOUBLE_EQ(number(sheet, 2, 4), 21);    // D2
    EXPECT_DOUBLE_EQ(number(sheet, 21, 94), 640); // CP21
    for (int g = 1; g <= 32; ++g) {
        const int first = 3 * (g - 1) + 1;
        const WorkbookCell *x = sheet.find(1, first);
        const WorkbookCell *y2 = sheet.find(1, first + 2);
        ASSERT_TRUE(x && y2 && sheet.find(1, first + 1)) << g;
        EXPECT_EQ(x->text(), QStringLiteral("X"));
        EXPECT_FALSE(x->isNumber());
        EXPECT_EQ(sheet.find(1, first + 1)->text(), QStringLiteral("Y1"));
        EXPECT_EQ(y2->text(), QStringLiteral("Y2"));
    }
    EXPECT_EQ(sheet.find(1, 97), nullptr);
    EXPECT_EQ(sheet.find(22, 1), nullptr);
    for (int k = 1; k <= 640; ++k)
        EXPECT_DOUBLE_EQ(number(sheet, rowOf(k), columnOf(k)), k);
}

TEST(TableExport, FaceModeScalesBothCurvesToTheGreyRangeAndWritesNoNegatives)
{
    const auto state = horizontalCut();
    const WorkbookSheet sheet = buildCutTable(*state, TableMode::Face);
    // raw 120 of 20..220: 50 %; analysed 70.5: floor(25.25) = 25 %.
    EXPECT_DOUBLE_EQ(number(sheet, rowOf(1), columnOf(1) + 1), 50);
    EXPECT_DOUBLE_EQ(number(sheet, rowOf(1), columnOf(1) + 2), 25);
    EXPECT_DOUBLE_EQ(number(sheet, rowOf(21), columnOf(21) + 1), 75);
    // A zero-grey raw value lies below GreyMin: 0, not -10.
    EXPECT_DOUBLE_EQ(number(sheet, rowOf(7), columnOf(7) + 1), 0);
    // Column 640 of GreyMap is always 0.
    EXPECT_DOUBLE_EQ(number(sheet, rowOf(640), columnOf(640) + 1), 0);
    EXPECT_DOUBLE_EQ(number(sheet, rowOf(640), columnOf(640) + 2), 0);
}

TEST(TableExport, LineModeWritesZeroRawAndScalesToTheProfileRange)
{
    const auto state = horizontalCut();
    const WorkbookSheet sheet = buildCutTable(*state, TableMode::Line);
    for (int k = 1; k <= 640; ++k)
        ASSERT_DOUBLE_EQ(number(sheet, rowOf(k), columnOf(k) + 1), 0) << k;
    // analysed 70.5 of 40..90: floor(61) = 61 %.
    EXPECT_DOUBLE_EQ(number(sheet, rowOf(300), columnOf(300) + 2), 61);
    EXPECT_DOUBLE_EQ(number(sheet, rowOf(640), columnOf(640) + 2), 0);
}

TEST(TableExport, NeitherModeWritesOnlyHeadersAndPositions)
{
    const auto state = horizontalCut();
    const WorkbookSheet sheet = buildCutTable(*state, TableMode::Neither);
    EXPECT_EQ(sheet.cells().size(), 640u + 96);
    EXPECT_DOUBLE_EQ(number(sheet, 21, 94), 640);
    EXPECT_EQ(sheet.find(2, 2), nullptr);
    EXPECT_EQ(sheet.find(2, 3), nullptr);
}

TEST(TableExport, AnEmptyRangeWritesZero)
{
    auto state = horizontalCut();
    state->picture.GreyMin = state->picture.GreyMax = 120;
    state->cut.ProfileMin = state->cut.ProfileMax = 70;
    const WorkbookSheet face = buildCutTable(*state, TableMode::Face);
    const WorkbookSheet line = buildCutTable(*state, TableMode::Line);
    for (int k : {1, 21, 333}) {
        EXPECT_DOUBLE_EQ(number(face, rowOf(k), columnOf(k) + 1), 0);
        EXPECT_DOUBLE_EQ(number(face, rowOf(k), columnOf(k) + 2), 0);
        EXPECT_DOUBLE_EQ(number(line, rowOf(k), columnOf(k) + 2), 0);
    }
}

TEST(TableExport, VerticalCutReadsTheColumnAndFillsTwentyFourGroups)
{
    AnalysisState s;
    s.cut.CutOrientation = 2;
    s.cut.CutPosition = 320;
    s.picture.GreyMin = 0;
    s.picture.GreyMax = 200;
    for (int y = 1; y < 480; ++y) {
        s.picture.GreyMap(320, y) = y % 200;
        s.picture.GreyMap(321, y) = 199; // the neighbouring column: must not be read
        s.cut.ProfileV[static_cast<size_t>(y)] = 150;
    }
    const WorkbookSheet sheet = buildCutTable(s, TableMode::Face);
    EXPECT_EQ(cutTableGroups(s), 24);
    EXPECT_EQ(sheet.cells().size(), 480u * 3 + 72);
    EXPECT_DOUBLE_EQ(number(sheet, 21, 70), 480); // BR21
    EXPECT_EQ(sheet.find(1, 73), nullptr);
    EXPECT_DOUBLE_EQ(number(sheet, rowOf(37), columnOf(37) + 1), 18);  // 37 of 0..200
    EXPECT_DOUBLE_EQ(number(sheet, rowOf(37), columnOf(37) + 2), 75);  // 150 of 0..200
    EXPECT_DOUBLE_EQ(number(sheet, rowOf(480), columnOf(480) + 1), 0); // row 480 is 0
}

TEST(TableExport, NoCutGivesAnEmptySheet)
{
    AnalysisState s;
    EXPECT_EQ(cutTableGroups(s), 0);
    EXPECT_TRUE(buildCutTable(s, TableMode::Face).isEmpty());
}
