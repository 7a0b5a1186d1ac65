#include "CurveFixture.h"

namespace lumetra::test {
namespace {

int intensityColumn(double v, double lo, double hi, int w)
{
    if (v < lo || lo == hi)
        return 0;
    return static_cast<int>(std::floor(w * (v - lo) / (hi - lo)));
}

Colour frameColour(int x, int y, int w, int h)
{
    for (int k = 1; k <= 9; ++k)
        if (x == w * k / 10 || y == h * k / 10)
            return colours::Grid;
    return colours::PlotBackground;
}

using VerticalWindow = CurveFixture;

TEST_F(VerticalWindow, OpensWithItsCaptionsLayoutAndStates)
{
    CurveWindow *w = openCurves(true);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(CurveWindow::instance(*context, true), w);
    EXPECT_TRUE(w->isVertical());
    EXPECT_EQ(w->windowTitle(), " 垂 直 方 向 光 强 分 布 曲 线");
    EXPECT_EQ(w->cutLabel(), "320");
    QLabel *pixelCaption = w->findChild<QLabel *>("pixelCaption");
    ASSERT_NE(pixelCaption, nullptr);
    EXPECT_EQ(pixelCaption->text(), "对应像素点");
    EXPECT_EQ(w->xReadout()->text(), "0");
    EXPECT_EQ(w->yReadout()->text(), "50");

    const QStringList captions = {"面模式", "线模式", "放大", "缩小"};
    const QStringList names = {"faceMode", "lineMode", "enlarge", "shrink"};
    const QList<QPushButton *> buttons = {w->faceModeButton(), w->lineModeButton(), w->enlargeButton(),
                                          w->shrinkButton()};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(buttons[i]->text(), captions[i]);
        EXPECT_EQ(buttons[i]->objectName(), names[i]);
        EXPECT_EQ(buttons[i]->geometry(), QRect(0, 48 * i, 65, 49));
    }
    EXPECT_FALSE(w->faceModeButton()->isEnabled());
    EXPECT_TRUE(w->lineModeButton()->isEnabled());
    EXPECT_TRUE(w->enlargeButton()->isEnabled());
    EXPECT_FALSE(w->shrinkButton()->isEnabled());
    EXPECT_EQ(w->popupItem("printPicture")->text(), "打印图");

    EXPECT_EQ(w->size(), QSize(345, 640));
    // The drawing area is 200 x 480 inside a 2-pixel box.
    EXPECT_EQ(w->plotView()->geometry(), QRect(100, 20, 204, 484));
    EXPECT_EQ(w->plot().size(), QSize(200, 480));
    EXPECT_EQ(w->xReadout()->pos(), QPoint(200, 5));
    EXPECT_EQ(w->yReadout()->pos(), QPoint(304, 260));

    EXPECT_EQ(state->cut.CutOrientation, 2);
    EXPECT_EQ(state->cut.CutPosition, 320);
    EXPECT_EQ(state->view.AxisStart, -240);
    EXPECT_EQ(state->view.AxisEnd, 240);
    EXPECT_EQ(state->view.CursorX, 100);
    EXPECT_EQ(state->view.CursorY, 240);
    WorkspaceWindow *ws = WorkspaceWindow::instance(*context);
    EXPECT_FALSE(ws->menuItem("horizontalCurve")->isEnabled());
    EXPECT_FALSE(ws->menuItem("verticalCurve")->isEnabled());
    EXPECT_TRUE(ws->menuItem("exportTable")->isEnabled());
    EXPECT_EQ(CurveWindow::showWindow(*context, *state, false), nullptr);
}

TEST_F(VerticalWindow, PlotAndWorkspaceMarker)
{
    CurveWindow *w = openCurves(true);
    ASSERT_NE(w, nullptr);
    const PictureSurface &plot = w->plot();
    const double lo = state->picture.GreyMin;
    const double hi = state->picture.GreyMax;
    for (int i : {3, 77, 200, 333, 478}) {
        SCOPED_TRACE(i);
        const int rawColumn = intensityColumn(TestPicture::sampled(320, i), lo, hi, 200);
        EXPECT_EQ(plot.point(rawColumn, i), colours::RawCurve);
        const int analysedColumn = intensityColumn(state->cut.ProfileV[static_cast<size_t>(i)], lo, hi, 200);
        EXPECT_LT(analysedColumn, rawColumn);
        EXPECT_EQ(plot.point(analysedColumn, i), colours::AnalysedFace);
    }
    // Zero line (orange) and crosshair row share row 240; the crosshair column is 100.
    EXPECT_EQ(plot.point(190, 240),
              frameColour(190, 240, 200, 480) ^ colours::ZeroOrange ^ colours::Crosshair);
    EXPECT_EQ(plot.point(100, 5), frameColour(100, 5, 200, 480) ^ colours::Crosshair);

    // Three vertical lines on the workspace picture: 318 and 322 dotted green, 320 yellow.
    const PictureSurface &picture = WorkspaceWindow::instance(*context)->picture();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const Colour before = fromQRgb(pictureBefore.pixel(x, y));
            const Colour now = picture.point(x, y);
            if (x == 320)
                ASSERT_EQ(now, before ^ colours::CutLine) << y;
            else if (x == 318 || x == 322)
                ASSERT_TRUE(now == before || now == (before ^ colours::Band)) << x << "," << y;
            else
                ASSERT_EQ(now, before) << x << "," << y;
        }
    closeCurveWindow(w);
    EXPECT_EQ(picture.image(), pictureBefore);
    EXPECT_EQ(state->cut.CutOrientation, 0);
}

TEST_F(VerticalWindow, TableHas480RowsInBothModes)
{
    CurveWindow *w = openCurves(true);
    ASSERT_NE(w, nullptr);
    IntensityTableWindow *table = IntensityTableWindow::instance(*context);
    ASSERT_EQ(table->rowCount(), 480);
    EXPECT_EQ(table->text(1, 0), "-239");
    EXPECT_EQ(table->text(480, 0), "240");
    const double lo = TestPicture::minimum();
    const double hi = TestPicture::maximum();
    auto pct = [](double v, double l, double h) {
        return QString::number(v < l || l == h ? 0 : static_cast<int>(std::floor(100 * (v - l) / (h - l))));
    };
    for (int row : {1, 240, 479, 480}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(table->text(row, 1), pct(TestPicture::sampled(320, row), lo, hi));
        EXPECT_EQ(table->text(row, 2),
                  pct(state->cut.ProfileV[static_cast<size_t>(row)], state->picture.GreyMin, state->picture.GreyMax));
    }
    QTest::mouseClick(w->lineModeButton(), Qt::LeftButton);
    for (int row : {1, 200, 480}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(table->text(row, 1), "0");
        EXPECT_EQ(table->text(row, 2),
                  pct(state->cut.ProfileV[static_cast<size_t>(row)], state->cut.ProfileMin, state->cut.ProfileMax));
    }
    EXPECT_EQ(countColour(w->plot(), colours::RawCurve), 0);
    EXPECT_GT(countColour(w->plot(), colours::AnalysedLine), 400);
}

TEST_F(VerticalWindow, EnlargedFaceModeHasAHorizontalCyanZeroLineAtRow300)
{
    CurveWindow *w = openCurves(true);
    ASSERT_NE(w, nullptr);
    click(w, 50, 100);
    click(w, 150, 479);
    EXPECT_EQ(w->pointLabel(0)->text(), "(25,-140)");
    QTest::mouseClick(w->enlargeButton(), Qt::LeftButton);
    EXPECT_EQ(w->size(), QSize(545, 760));
    EXPECT_EQ(w->plotView()->geometry(), QRect(100, 20, 404, 604));
    EXPECT_EQ(w->plot().size(), QSize(400, 600));
    EXPECT_EQ(w->xReadout()->pos(), QPoint(300, 5));
    EXPECT_EQ(w->yReadout()->pos(), QPoint(506, 320));
    EXPECT_EQ(state->view.AxisStartZoom, -300);
    EXPECT_EQ(state->view.CursorX, 200);
    EXPECT_EQ(state->view.CursorY, 300);
    // Points: x doubled, y times 1.25; the position recomputed from the row.
    EXPECT_EQ(state->view.MarkPixelsV[0][0], 100);
    EXPECT_EQ(state->view.MarkPixelsV[0][1], 125);
    EXPECT_EQ(state->view.MarkValuesV[0][1], -140); // floor(125 / 1.25 + 0.5) - 240
    EXPECT_EQ(state->view.MarkValuesV[0][0], 25);
    EXPECT_EQ(state->view.MarkPixelsV[1][1], 598.75);
    EXPECT_EQ(state->view.MarkValuesV[1][1], 239); // floor(479.5) - 240: still above the last row
    EXPECT_EQ(w->pointLabel(1)->text(), "(75,239)");

    QTest::mouseClick(w->lineModeButton(), Qt::LeftButton);
    QTest::mouseClick(w->faceModeButton(), Qt::LeftButton);
    // Row 300 carries both the zero line and the crosshair; column 200 the crosshair alone.
    EXPECT_EQ(w->plot().point(7, 300),
              frameColour(7, 300, 400, 600) ^ colours::ZeroCyan ^ colours::Crosshair);
    EXPECT_EQ(w->plot().point(200, 7), frameColour(200, 7, 400, 600) ^ colours::Crosshair);
    EXPECT_EQ(w->plot().point(7, 299), frameColour(7, 299, 400, 600));

    QTest::mouseClick(w->shrinkButton(), Qt::LeftButton);
    EXPECT_EQ(w->size(), QSize(345, 640));
    EXPECT_EQ(state->view.CursorX, 100);
    EXPECT_EQ(state->view.CursorY, 240);
    EXPECT_FALSE(w->shrinkButton()->isEnabled());
    EXPECT_EQ(w->plot().point(7, 240),
              frameColour(7, 240, 200, 480) ^ colours::ZeroCyan ^ colours::Crosshair);
}

} // namespace
} // namespace lumetra::test
