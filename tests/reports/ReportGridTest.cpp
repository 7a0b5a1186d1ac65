// The axes of a curve report: tick counts and places, labels and their positions.
#include "reports/ReportGrid.h"
#include "RecordingPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace lumetra::testing {
namespace {

constexpr double Left = 500;
constexpr double Right = 1380;
constexpr double Top = 2341;
constexpr double PageWidth = 12000;
constexpr double AxisX = Left + 200;
constexpr double AxisLength = PageWidth - 200 - Right - Left;

QList<RecordingPage::Line> linesWhere(const RecordingPage &page,
                                      const std::function<bool(const RecordingPage::Line &)> &keep)
{
    QList<RecordingPage::Line> found;
    std::copy_if(page.lines.begin(), page.lines.end(), std::back_inserter(found), keep);
    return found;
}

TEST(ReportGrid, IntensityAxisHasFortyOneMinorAndElevenMajorTicksLeftOfIt)
{
    RecordingPage page(PageWidth);
    ReportGrid(Left, Right, Top, -320, 64).DrawGrid1(page, 4000, 8, 4);

    const auto minor = linesWhere(page, [](const auto &l) { return l.x1 == Left + 100 && l.x2 == AxisX; });
    ASSERT_EQ(minor.size(), 41);
    for (int i = 0; i < 41; ++i) {
        EXPECT_DOUBLE_EQ(minor[i].y1, Top + 100.0 * i);
        EXPECT_DOUBLE_EQ(minor[i].y2, minor[i].y1);
        EXPECT_EQ(minor[i].colour, colours::Black);
    }
    const auto major = linesWhere(page, [](const auto &l) { return l.x1 == Left && l.x2 == AxisX; });
    ASSERT_EQ(major.size(), 11);
    for (int i = 0; i < 11; ++i)
        EXPECT_DOUBLE_EQ(major[i].y1, Top + 400.0 * i);
}

TEST(ReportGrid, IntensityLabelsRunFromHundredAtTheTopToZeroRightOfTheAxis)
{
    RecordingPage page(PageWidth);
    page.setFontSize(11);
    ReportGrid(Left, Right, Top, -320, 64).DrawGrid1(page, 4000, 8, 4);

    const double halfDigit = page.textHeight(QStringLiteral("1")) / 2;
    QList<RecordingPage::Text> labels;
    for (const auto &t : page.texts)
        if (t.x == AxisX + 1)
            labels.append(t);
    ASSERT_EQ(labels.size(), 11);
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(labels[i].text, QString::number((10 - i) * 10));
        EXPECT_DOUBLE_EQ(labels[i].y, Top + 400.0 * i - halfDigit);
        EXPECT_EQ(labels[i].fontSize, 11);
    }
}

TEST(ReportGrid, AxesMeetAtTheBottomLeftOfThePlot)
{
    RecordingPage page(PageWidth);
    ReportGrid(Left, Right, Top, -320, 64).DrawGrid1(page, 4000, 8, 4);
    EXPECT_TRUE(page.hasLine(AxisX, Top, AxisX, Top + 4000));
    EXPECT_TRUE(page.hasLine(AxisX, Top + 4000, PageWidth - Right, Top + 4000));
}

TEST(ReportGrid, PositionAxisHasEightyOneMinorTicksAndElevenLabelledMajorTicks)
{
    RecordingPage page(PageWidth);
    ReportGrid(Left, Right, Top, -320, 64).DrawGrid1(page, 4000, 8, 4);

    const auto minor = linesWhere(
        page, [](const auto &l) { return l.x1 == l.x2 && l.y1 == Top + 4000 && l.y2 == Top + 4100; });
    ASSERT_EQ(minor.size(), 81);
    // Eight picture pixels apart: the axis carries 640 pixels.
    const double pixel = AxisLength / 640;
    for (int i = 0; i < 81; ++i)
        EXPECT_NEAR(minor[i].x1, AxisX + 8 * pixel * i, 1e-9);

    const auto major = linesWhere(
        page, [](const auto &l) { return l.x1 == l.x2 && l.y1 == Top + 4000 && l.y2 == Top + 4200; });
    ASSERT_EQ(major.size(), 11);
    for (int i = 0; i <= 10; ++i) {
        const QString label = QString::number(-320 + 64 * i);
        QList<RecordingPage::Text> found;
        for (const auto &t : page.textsEqual(label))
            if (t.y == Top + 4200)
                found.append(t);
        ASSERT_EQ(found.size(), 1) << label.toStdString();
        EXPECT_NEAR(found[0].x + page.textWidth(label) / 2, major[i].x1, 1e-9) << "centred on its tick";
        EXPECT_DOUBLE_EQ(found[0].y, Top + 4200);
    }
    EXPECT_NEAR(major.last().x1, PageWidth - Right, 1e-9);
}

TEST(ReportGrid, ColumnAxisIsLabelledInStepsOfFortyEight)
{
    RecordingPage page(PageWidth);
    ReportGrid(Left, Right, Top, -240, 48).DrawGrid1(page, 4000, 8, 4);
    QStringList labels;
    for (const auto &t : page.texts)
        if (t.y == Top + 4200)
            labels.append(t.text);
    // Printed from the right end to the left.
    EXPECT_EQ(labels,
              QStringList({"240", "192", "144", "96", "48", "0", "-48", "-96", "-144", "-192", "-240"}));
}

TEST(ReportGrid, NoMinorTicksWhenNoneAreAskedFor)
{
    RecordingPage page(PageWidth);
    ReportGrid(Left, Right, Top, -320, 64).DrawGrid1(page, 4000, 0, 0);
    // Eleven major ticks on each axis and the two axes.
    EXPECT_EQ(page.lines.size(), 24);
}

} // namespace
} // namespace lumetra::testing
