#include "curves/IntensityTableModel.h"
#include "analysis/AnalysisState.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace lumetra {
namespace {

// A state with a horizontal cut at row 3 whose grey values and profile are set by hand.
std::unique_ptr<AnalysisState> horizontalCut()
{
    auto s = std::make_unique<AnalysisState>();
    s->cut.CutOrientation = 1;
    s->cut.CutPosition = 3;
    for (int x = 1; x <= 640; ++x) {
        s->picture.GreyMap(x, 3) = x % 200; // 0 at x = 200, 400, 600
        s->cut.ProfileH[static_cast<size_t>(x)] = 50 + x / 8.0;
    }
    s->picture.ImageGreyMin = 20;
    s->picture.ImageGreyMax = 180;
    s->picture.GreyMin = 20;
    s->picture.GreyMax = 180;
    s->cut.ProfileMin = 50;
    s->cut.ProfileMax = 130;
    return s;
}

int percent(double v, double lo, double hi)
{
    return (v < lo || lo == hi) ? 0 : static_cast<int>(std::floor(100 * (v - lo) / (hi - lo)));
}

TEST(IntensityTableModel, LoadGivesThreeColumnsAndFaceRulesForEveryRow)
{
    auto s = horizontalCut();
    IntensityTableModel model;
    EXPECT_EQ(model.columnCount(), 0);
    model.load(*s);
    ASSERT_EQ(model.rowCount(), 640);
    ASSERT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "位置");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "光强(黄)%");
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "光强(红或蓝)%");
    EXPECT_EQ(model.text(1, 0), "-319");
    EXPECT_EQ(model.text(640, 0), "320");
    for (int row : {1, 19, 20, 21, 100, 180, 199, 200, 333, 640}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(model.text(row, 1), QString::number(percent(row % 200, 20, 180)));
        EXPECT_EQ(model.text(row, 2), QString::number(percent(50 + row / 8.0, 20, 180)));
        EXPECT_EQ(model.data(model.index(row - 1, 1)).toString(), model.text(row, 1));
    }
    EXPECT_EQ(model.text(19, 1), "0");  // below the range: 0, not negative
    EXPECT_EQ(model.text(200, 1), "0"); // a zero grey value
    EXPECT_EQ(model.text(180, 1), "100");
    EXPECT_EQ(model.text(0, 0), "");
    EXPECT_EQ(model.text(641, 0), "");
}

TEST(IntensityTableModel, VerticalCutHas480Rows)
{
    AnalysisState s;
    s.cut.CutOrientation = 2;
    s.cut.CutPosition = 10;
    IntensityTableModel model;
    model.load(s);
    ASSERT_EQ(model.rowCount(), 480);
    EXPECT_EQ(model.text(1, 0), "-239");
    EXPECT_EQ(model.text(480, 0), "240");
    // A flat range writes 0 everywhere.
    EXPECT_EQ(model.text(1, 1), "0");
    s.cut.CutOrientation = 0;
    model.load(s);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(IntensityTableModel, RefillRewritesOnlyTheValueColumns)
{
    auto s = horizontalCut();
    IntensityTableModel model;
    model.load(*s);
    model.setPositions(-300, 640);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.refill(*s, DisplayMode::Line);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<QModelIndex>().column(), 1);
    EXPECT_EQ(changed.at(0).at(1).value<QModelIndex>().row(), 639);
    for (int row : {1, 100, 640}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(model.text(row, 0), QString::number(-300 + row));
        EXPECT_EQ(model.text(row, 1), "0");
        EXPECT_EQ(model.text(row, 2), QString::number(percent(50 + row / 8.0, 50, 130)));
    }
    EXPECT_EQ(model.text(640, 2), "100");
    model.refill(*s, DisplayMode::Face);
    EXPECT_EQ(model.text(100, 1), QString::number(percent(100, 20, 180)));
    EXPECT_EQ(model.text(100, 0), "-200");
}

TEST(IntensityTableModel, PositionsStopAtTheRowsPresent)
{
    auto s = horizontalCut();
    IntensityTableModel model;
    model.load(*s);
    model.setPositions(0, 10);
    EXPECT_EQ(model.text(10, 0), "10");
    EXPECT_EQ(model.text(11, 0), "-309");
    model.setPositions(5, 5000); // more than present: no harm
    EXPECT_EQ(model.text(640, 0), "645");
    model.clearAll();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
}

} // namespace
} // namespace lumetra
