#include "CurveFixture.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>

namespace lumetra::test {
namespace {

// Plot background with the 10 x 10 grid of the frame.
Colour frameColour(int x, int y, int w, int h)
{
    for (int k = 1; k <= 9; ++k)
        if (x == w * k / 10 || y == h * k / 10)
            return colours::Grid;
    return colours::PlotBackground;
}

// Row of value v on a horizontal plot of height h for the range lo..hi (baseline h).
int intensityRow(double v, double lo, double hi, int h)
{
    if (v < lo || lo == hi)
        return h;
    return h - static_cast<int>(std::floor(h * (v - lo) / (hi - lo)));
}

using HorizontalWindow = CurveFixture;

TEST_F(HorizontalWindow, OpensWithItsCaptionsLayoutAndStates)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(CurveWindow::instance(*context, false), w);
    EXPECT_EQ(CurveWindow::instance(*context, true), nullptr);
    EXPECT_FALSE(w->isVertical());
    EXPECT_EQ(w->windowTitle(), "  水 平 方 向 光 强 分 布 曲 线");
    EXPECT_EQ(w->xReadout()->text(), "0");
    EXPECT_EQ(w->yReadout()->text(), "50");
    EXPECT_EQ(w->cutLabel(), "对应像素点：192");

    const QStringList captions = {"面模式", "线模式", "放大", "缩小 "};
    const QStringList names = {"faceMode", "lineMode", "enlarge", "shrink"};
    const QList<QPushButton *> buttons = {w->faceModeButton(), w->lineModeButton(), w->enlargeButton(),
                                          w->shrinkButton()};
    const QList<QRect> places = {QRect(0, 0, 65, 41), QRect(64, 0, 57, 41), QRect(120, 0, 65, 41),
                                 QRect(184, 0, 65, 41)};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(buttons[i]->text(), captions[i]);
        EXPECT_EQ(buttons[i]->objectName(), names[i]);
        EXPECT_EQ(buttons[i]->geometry(), places[i]);
    }
    EXPECT_FALSE(w->faceModeButton()->isEnabled());
    EXPECT_TRUE(w->lineModeButton()->isEnabled());
    EXPECT_TRUE(w->enlargeButton()->isEnabled());
    EXPECT_FALSE(w->shrinkButton()->isEnabled());
    EXPECT_FALSE(w->lineModeActive());

    EXPECT_EQ(w->size(), QSize(710, 360));
    EXPECT_EQ(w->plotView()->geometry(), QRect(33, 60, 644, 204));
    EXPECT_EQ(w->plot().size(), QSize(640, 200));
    EXPECT_EQ(w->xReadout()->pos(), QPoint(353, 49));
    EXPECT_EQ(w->yReadout()->pos(), QPoint(677, 160));
    EXPECT_EQ(w->windowSurface().size(), QSize(710, 360));

    EXPECT_EQ(state->cut.CutOrientation, 1);
    EXPECT_TRUE(state->cut.Active);
    EXPECT_EQ(state->cut.CutPosition, 192);
    EXPECT_EQ(state->cut.IntegrationWidth, 2);
    EXPECT_EQ(state->view.AxisStart, -320);
    EXPECT_EQ(state->view.AxisEnd, 320);
    EXPECT_FALSE(state->view.Enlarged);
    EXPECT_EQ(state->view.CursorX, 320);
    EXPECT_EQ(state->view.CursorY, 100);
    EXPECT_EQ(state->view.MarkCountH, 0);

    // The picture was sampled afresh, with its three progress windows.
    EXPECT_EQ(progress.shown, QStringList({"Waiting", "正在读取灰度值", "正在计算灰度最大、最小值"}));
    EXPECT_EQ(state->picture.ImageGreyMax, TestPicture::maximum());
    EXPECT_EQ(state->picture.ImageGreyMin, TestPicture::minimum());

    WorkspaceWindow *ws = WorkspaceWindow::instance(*context);
    EXPECT_FALSE(ws->menuItem("horizontalCurve")->isEnabled());
    EXPECT_FALSE(ws->menuItem("verticalCurve")->isEnabled());
    EXPECT_TRUE(ws->menuItem("exportTable")->isEnabled());

    IntensityTableWindow *table = IntensityTableWindow::instance(*context);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->windowTitle(), "光强数据");
    // Wide enough for its three columns: every header fits and nothing scrolls sideways.
    QTableView *list = table->listView();
    int columns = 0;
    for (int c = 0; c < 3; ++c) {
        EXPECT_GE(list->columnWidth(c), list->horizontalHeader()->fontMetrics().horizontalAdvance(table->headerText(c)))
            << c;
        columns += list->columnWidth(c);
    }
    EXPECT_LE(columns, list->viewport()->width());
    EXPECT_EQ(table->listWidth(), table->width());
    EXPECT_EQ(table->pos(), QPoint(0, 0));
    EXPECT_EQ(ws->x(), table->listWidth());
    EXPECT_EQ(w->x(), table->listWidth());

    QMenu *menu = w->popupMenu();
    EXPECT_EQ(menu->title(), "菜单");
    EXPECT_EQ(menu->objectName(), "popupMenu");
    ASSERT_NE(w->popupItem("printRawCurve"), nullptr);
    EXPECT_EQ(w->popupItem("printRawCurve")->text(), "打印原始曲线");
    EXPECT_EQ(w->popupItem("printAnalysedCurve")->text(), "打印分析曲线");
    EXPECT_EQ(w->popupItem("printPicture")->text(), "打印图片");
    EXPECT_EQ(w->popupItem("clearPoints")->text(), "取消所有点");
    EXPECT_TRUE(w->popupItem("clearPoints")->isEnabled());
}

TEST_F(HorizontalWindow, PlotShowsRawAndAnalysedCurvesZeroLineAndCrosshair)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    const PictureSurface &plot = w->plot();
    const double lo = TestPicture::minimum();
    const double hi = TestPicture::maximum();
    ASSERT_EQ(state->picture.GreyMin, lo); // the profile lies inside the picture's range
    ASSERT_EQ(state->picture.GreyMax, hi);

    // Samples whose smoothing window stays inside the row (the last ones reach the empty 640).
    for (int i : {3, 50, 101, 250, 333, 410, 599, 630}) {
        SCOPED_TRACE(i);
        // Raw curve: the grey values of row 192 itself, bright line included.
        const int rawRow = intensityRow(TestPicture::sampled(i, 192), lo, hi, 200);
        EXPECT_EQ(plot.point(i, rawRow), colours::RawCurve);
        // Analysed curve: the nine rows around the cut averaged (then lightly smoothed).
        double band = 0;
        for (int y = 188; y <= 196; ++y)
            band += TestPicture::sampled(i, y);
        EXPECT_NEAR(state->cut.ProfileH[static_cast<size_t>(i)], band / 9, 1.0);
        const int analysedRow = intensityRow(state->cut.ProfileH[static_cast<size_t>(i)], lo, hi, 200);
        EXPECT_LT(analysedRow, 200);
        EXPECT_GT(analysedRow, rawRow); // the band average lies below the bright line
        EXPECT_EQ(plot.point(i, analysedRow), colours::AnalysedFace);
    }
    // The zero line (orange) and the vertical crosshair line share column 320.
    for (int y : {5, 33, 150}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(plot.point(320, y),
                  frameColour(320, y, 640, 200) ^ colours::ZeroOrange ^ colours::Crosshair);
    }
    for (int x : {7, 130, 500}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(plot.point(x, 100), frameColour(x, 100, 640, 200) ^ colours::Crosshair);
    }
    EXPECT_EQ(countColour(plot, colours::AnalysedLine), 0);
}

TEST_F(HorizontalWindow, MarksTheCutOnTheWorkspaceAndRemovesItExactlyOnClose)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    WorkspaceWindow *ws = WorkspaceWindow::instance(*context);
    const PictureSurface &picture = ws->picture();
    int band190 = 0;
    int band194 = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const Colour before = fromQRgb(pictureBefore.pixel(x, y));
            const Colour now = picture.point(x, y);
            if (y == 192) {
                ASSERT_EQ(now, before ^ colours::CutLine) << x;
            } else if (y == 190 || y == 194) {
                ASSERT_TRUE(now == before || now == (before ^ colours::Band)) << x << "," << y;
                (y == 190 ? band190 : band194) += now != before ? 1 : 0;
            } else {
                ASSERT_EQ(now, before) << x << "," << y;
            }
        }
    // Dotted band lines: one pixel in three.
    EXPECT_NEAR(band190, 640 / 3, 2);
    EXPECT_NEAR(band194, 640 / 3, 2);

    closeCurveWindow(w);
    EXPECT_EQ(CurveWindow::openWindow(*context), nullptr);
    EXPECT_EQ(IntensityTableWindow::instance(*context), nullptr);
    EXPECT_EQ(picture.image(), pictureBefore.convertToFormat(QImage::Format_RGB32));
    EXPECT_FALSE(state->cut.Active);
    EXPECT_EQ(state->cut.CutOrientation, 0);
    EXPECT_TRUE(ws->menuItem("horizontalCurve")->isEnabled());
    EXPECT_TRUE(ws->menuItem("verticalCurve")->isEnabled());
    EXPECT_FALSE(ws->menuItem("exportTable")->isEnabled());
}

// Without a settings file (a fresh install) the width is 0: the analysed curve is the nine-line
// average without smoothing, drawn at the opening as after every later redraw.
TEST_F(HorizontalWindow, WithoutASettingsFileEveryDrawShowsTheSameAnalysedCurve)
{
    ASSERT_TRUE(QFile::remove(SettingsDialog::settingsPath()));
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(state->cut.IntegrationWidth, 0);
    const int analysed = countColour(w->plot(), colours::AnalysedFace);
    EXPECT_GT(analysed, 600);
    EXPECT_GT(countColour(w->plot(), colours::RawCurve), 600);
    EXPECT_GT(IntensityTableWindow::instance(*context)->text(320, 2).toInt(), 0);

    // The cut moved away and back, by a press on the picture.
    SurfaceView *picture = WorkspaceWindow::instance(*context)->pictureView();
    const int b = picture->border();
    QTest::mousePress(picture, Qt::LeftButton, Qt::NoModifier, QPoint(100 + b, 300 + b));
    QTest::mousePress(picture, Qt::LeftButton, Qt::NoModifier, QPoint(100 + b, 192 + b));
    EXPECT_EQ(countColour(w->plot(), colours::AnalysedFace), analysed);

    w->enlargeButton()->click();
    EXPECT_GT(countColour(w->plot(), colours::AnalysedFace), 0);
    w->shrinkButton()->click();
    EXPECT_EQ(countColour(w->plot(), colours::AnalysedFace), analysed);

    // The band lines of width 0 lie on the cut line and cancel out.
    const PictureSurface &shown = WorkspaceWindow::instance(*context)->picture();
    for (int x = 0; x < 640; ++x) {
        ASSERT_EQ(shown.point(x, 192), fromQRgb(pictureBefore.pixel(x, 192)) ^ colours::CutLine) << x;
        ASSERT_EQ(shown.point(x, 191), fromQRgb(pictureBefore.pixel(x, 191))) << x;
    }
}

TEST_F(HorizontalWindow, ASettingWiderThanTheCutIsHeldToTheCut)
{
    writeSettings("320");
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(state->cut.IntegrationWidth, 319);
    EXPECT_GT(countColour(w->plot(), colours::AnalysedFace), 0);
}

TEST_F(HorizontalWindow, TableListsTheCutInBothModes)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    IntensityTableWindow *table = IntensityTableWindow::instance(*context);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 640);
    EXPECT_EQ(table->headerText(0), "位置");
    EXPECT_EQ(table->headerText(1), "光强(黄)%");
    EXPECT_EQ(table->headerText(2), "光强(红或蓝)%");
    const double lo = TestPicture::minimum();
    const double hi = TestPicture::maximum();
    auto pct = [](double v, double l, double h) {
        return QString::number(v < l || l == h ? 0 : static_cast<int>(std::floor(100 * (v - l) / (h - l))));
    };
    EXPECT_EQ(table->text(1, 0), "-319");
    EXPECT_EQ(table->text(640, 0), "320");
    for (int row : {1, 2, 320, 639, 640}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(table->text(row, 1), pct(TestPicture::sampled(row, 192), lo, hi));
        EXPECT_EQ(table->text(row, 2), pct(state->cut.ProfileH[static_cast<size_t>(row)], lo, hi));
    }
    EXPECT_EQ(table->text(640, 1), "0"); // beyond the picture

    QTest::mouseClick(w->lineModeButton(), Qt::LeftButton);
    const double pmin = state->cut.ProfileMin;
    const double pmax = state->cut.ProfileMax;
    ASSERT_LT(pmin, pmax);
    bool reachesFull = false;
    for (int row = 1; row <= 640; ++row) {
        ASSERT_EQ(table->text(row, 1), "0") << row;
        ASSERT_EQ(table->text(row, 2), pct(state->cut.ProfileH[static_cast<size_t>(row)], pmin, pmax)) << row;
        reachesFull = reachesFull || table->text(row, 2) == "100";
    }
    EXPECT_TRUE(reachesFull);
    EXPECT_EQ(table->text(1, 0), "-319");

    QTest::mouseClick(w->faceModeButton(), Qt::LeftButton);
    EXPECT_EQ(table->text(2, 1), pct(TestPicture::sampled(2, 192), lo, hi));
}

TEST_F(HorizontalWindow, LineModeShowsTheBlueCurveOnItsOwnRangeAndDropsThePoints)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    click(w, 100, 50);
    click(w, 200, 60);
    ASSERT_EQ(state->view.MarkCountH, 2);

    QTest::mouseClick(w->lineModeButton(), Qt::LeftButton);
    EXPECT_TRUE(w->lineModeActive());
    EXPECT_TRUE(w->faceModeButton()->isEnabled());
    EXPECT_FALSE(w->lineModeButton()->isEnabled());
    EXPECT_EQ(state->view.MarkCountH, 0);
    EXPECT_EQ(state->view.MarkPixelsH[0][0], 0);
    EXPECT_EQ(state->view.MarkValuesH[1][1], 0);
    EXPECT_FALSE(w->pointLabel(0)->isVisible());
    EXPECT_FALSE(w->pointLabel(1)->isVisible());

    const PictureSurface &plot = w->plot();
    EXPECT_EQ(countColour(plot, colours::RawCurve), 0);
    EXPECT_EQ(countColour(plot, colours::AnalysedFace), 0);
    int checked = 0;
    for (int i : {3, 50, 250, 410, 600, 638}) {
        SCOPED_TRACE(i);
        const int row =
            intensityRow(state->cut.ProfileH[static_cast<size_t>(i)], state->cut.ProfileMin, state->cut.ProfileMax, 200);
        if (row >= 200)
            continue; // on the baseline, just below the drawing area
        EXPECT_EQ(plot.point(i, row), colours::AnalysedLine);
        ++checked;
    }
    EXPECT_GE(checked, 4);
    // Cyan zero line under the crosshair column.
    EXPECT_EQ(plot.point(320, 5), frameColour(320, 5, 640, 200) ^ colours::ZeroCyan ^ colours::Crosshair);

    QTest::mouseClick(w->faceModeButton(), Qt::LeftButton);
    EXPECT_FALSE(w->lineModeActive());
    EXPECT_FALSE(w->faceModeButton()->isEnabled());
    EXPECT_GT(countColour(plot, colours::RawCurve), 0);
    EXPECT_EQ(countColour(plot, colours::AnalysedLine), 0);
    EXPECT_EQ(plot.point(320, 5), frameColour(320, 5, 640, 200) ^ colours::ZeroCyan ^ colours::Crosshair);
}

TEST_F(HorizontalWindow, EnlargeAndReturnRescaleThePlotAndThePoints)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    click(w, 100, 50);
    click(w, 333, 151);
    const double intensity0 = state->view.MarkValuesH[0][1];
    const double intensity1 = state->view.MarkValuesH[1][1];
    EXPECT_EQ(intensity0, 75);
    EXPECT_EQ(intensity1, 24.5);
    const QString cell = IntensityTableWindow::instance(*context)->text(10, 2);

    QTest::mouseClick(w->enlargeButton(), Qt::LeftButton);
    EXPECT_TRUE(state->view.Enlarged);
    EXPECT_EQ(w->size(), QSize(1030, 560));
    EXPECT_EQ(w->plotView()->geometry(), QRect(30, 60, 964, 404));
    EXPECT_EQ(w->xReadout()->pos(), QPoint(510, 49));
    EXPECT_EQ(w->yReadout()->pos(), QPoint(994, 260));
    EXPECT_EQ(w->xReadout()->text(), "0");
    EXPECT_EQ(w->yReadout()->text(), "50");
    EXPECT_FALSE(w->enlargeButton()->isEnabled());
    EXPECT_TRUE(w->shrinkButton()->isEnabled());
    EXPECT_EQ(state->view.AxisStartZoom, -480);
    EXPECT_EQ(state->view.AxisEndZoom, 480);
    EXPECT_EQ(state->view.CursorX, 480);
    EXPECT_EQ(state->view.CursorY, 200);

    EXPECT_EQ(state->view.MarkPixelsH[0][0], 150);
    EXPECT_EQ(state->view.MarkPixelsH[0][1], 100);
    EXPECT_EQ(state->view.MarkPixelsH[1][0], 499.5);
    EXPECT_EQ(state->view.MarkPixelsH[1][1], 302);
    EXPECT_EQ(state->view.MarkValuesH[0][0], -220); // floor(150 / 1.5 + 0.5) - 320
    EXPECT_EQ(state->view.MarkValuesH[1][0], 13);   // floor(333 + 0.5) - 320
    EXPECT_EQ(state->view.MarkValuesH[0][1], intensity0);
    EXPECT_EQ(w->pointLabel(0)->text(), "(-220,75)");
    EXPECT_EQ(w->pointLabel(1)->text(), "(13,24.5)");
    EXPECT_EQ(w->pointLabel(0)->pos(), QPoint(2 + 155, 2 + 95));

    const PictureSurface &plot = w->plot();
    const double lo = state->picture.GreyMin;
    const double hi = state->picture.GreyMax;
    for (int i : {4, 100, 252, 400}) { // even samples land on whole pixels (1.5 i)
        SCOPED_TRACE(i);
        EXPECT_EQ(plot.point(i * 3 / 2, intensityRow(TestPicture::sampled(i, 192), lo, hi, 400)),
                  colours::RawCurve);
    }
    EXPECT_EQ(plot.point(480, 7), frameColour(480, 7, 960, 400) ^ colours::ZeroCyan ^ colours::Crosshair);
    // Only the grid of the new size shows: none of the old one is left behind.
    for (int x = 0; x < 960; ++x) {
        if (x == 480)
            continue;
        ASSERT_EQ(plot.point(x, 7), frameColour(x, 7, 960, 400)) << x;
    }
    EXPECT_EQ(IntensityTableWindow::instance(*context)->text(10, 2), cell); // zooming leaves the table alone

    QTest::mouseClick(w->shrinkButton(), Qt::LeftButton);
    EXPECT_FALSE(state->view.Enlarged);
    EXPECT_EQ(w->size(), QSize(710, 360));
    EXPECT_EQ(w->plot().size(), QSize(640, 200));
    EXPECT_TRUE(w->enlargeButton()->isEnabled());
    EXPECT_FALSE(w->shrinkButton()->isEnabled());
    EXPECT_EQ(state->view.CursorX, 320);
    EXPECT_EQ(state->view.CursorY, 100);
    EXPECT_NEAR(state->view.MarkPixelsH[0][0], 100, 1);
    EXPECT_NEAR(state->view.MarkPixelsH[0][1], 50, 1);
    EXPECT_NEAR(state->view.MarkPixelsH[1][0], 333, 1);
    EXPECT_NEAR(state->view.MarkPixelsH[1][1], 151, 1);
    EXPECT_EQ(state->view.MarkValuesH[0][1], intensity0);
    EXPECT_EQ(state->view.MarkValuesH[1][1], intensity1);
    EXPECT_EQ(state->view.MarkValuesH[0][0], state->view.MarkPixelsH[0][0] - 320);
    EXPECT_EQ(plot.point(320, 7), frameColour(320, 7, 640, 200) ^ colours::ZeroCyan ^ colours::Crosshair);
    for (int x = 0; x < 640; ++x) {
        if (x == 320)
            continue;
        ASSERT_EQ(plot.point(x, 7), frameColour(x, 7, 640, 200)) << x;
    }
}

TEST_F(HorizontalWindow, ASecondOpeningStartsAfresh)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w->lineModeButton(), Qt::LeftButton);
    QTest::mouseClick(w->enlargeButton(), Qt::LeftButton);
    key(w, Qt::Key_Left, Qt::ShiftModifier);
    click(w, 100, 100);
    ASSERT_EQ(state->view.AxisStart, -319);
    closeCurveWindow(w);
    EXPECT_EQ(WorkspaceWindow::instance(*context)->picture().image(),
              pictureBefore.convertToFormat(QImage::Format_RGB32));

    // A second window may open once the first is gone.
    WorkspaceWindow::instance(*context)->menuItem("horizontalCurve")->trigger();
    w = CurveWindow::openWindow(*context);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(state->cut.CutPosition, 192);
    EXPECT_EQ(state->view.AxisStart, -320);
    EXPECT_FALSE(state->view.Enlarged);
    EXPECT_EQ(state->view.MarkCountH, 0);
    EXPECT_FALSE(w->lineModeActive());
    EXPECT_FALSE(w->faceModeButton()->isEnabled());
    EXPECT_TRUE(w->enlargeButton()->isEnabled());
    EXPECT_EQ(w->plot().size(), QSize(640, 200));
}

TEST_F(HorizontalWindow, InsideTheFrameTheOuterSizeIsTheChildWindow)
{
    QMdiArea area;
    area.resize(1600, 900);
    area.show();
    context->mdiArea = &area;
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    QWidget *frame = childWindowFrame(w);
    ASSERT_NE(frame, w);
    EXPECT_EQ(frame->size(), QSize(710, 360));
    // In a frame the curves and the table stand where they hide none of the workspace picture.
    const QRect picture = WorkspaceWindow::instance(*context)->pictureRect();
    EXPECT_FALSE(frame->geometry().intersects(picture));
    EXPECT_FALSE(childWindowFrame(IntensityTableWindow::instance(*context))->geometry().intersects(picture));
    EXPECT_EQ(w->windowSurface().size(), w->size());
    EXPECT_EQ(area.subWindowList().size(), 3);

    QTest::mouseClick(w->enlargeButton(), Qt::LeftButton);
    EXPECT_EQ(frame->size(), QSize(1030, 560));
    EXPECT_EQ(w->windowSurface().size(), w->size());

    // Closing the frame runs the closing sequence and takes the table (and its frame) along.
    frame->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(CurveWindow::openWindow(*context), nullptr);
    EXPECT_EQ(IntensityTableWindow::instance(*context), nullptr);
    EXPECT_EQ(state->cut.CutOrientation, 0);
    EXPECT_FALSE(state->cut.Active);
    ASSERT_EQ(area.subWindowList().size(), 1);
    EXPECT_EQ(area.subWindowList().first()->widget(), WorkspaceWindow::instance(*context));
    EXPECT_EQ(WorkspaceWindow::instance(*context)->picture().image(), pictureBefore);

    // Closed directly, the window takes its frame along too.
    WorkspaceWindow::instance(*context)->menuItem("verticalCurve")->trigger();
    ASSERT_NE(CurveWindow::instance(*context, true), nullptr);
    EXPECT_EQ(area.subWindowList().size(), 3);
    closeCurveWindow(CurveWindow::instance(*context, true));
    EXPECT_EQ(area.subWindowList().size(), 1);
    context->mdiArea = nullptr;
}

TEST_F(HorizontalWindow, OnlyOneCurveWindowAtATime)
{
    ASSERT_NE(openCurves(false), nullptr);
    EXPECT_EQ(CurveWindow::showWindow(*context, *state, true), nullptr);
    EXPECT_EQ(state->cut.CutOrientation, 1);
    EXPECT_EQ(CurveWindow::showWindow(*context, *state, false), CurveWindow::instance(*context, false));
    EXPECT_EQ(state->cut.CutPosition, 192);
}

} // namespace
} // namespace lumetra::test
