#include "CurveFixture.h"

#include "curves/CurveValues.h"

#include <QMap>
#include <QMenu>
#include <QPair>
#include <QSet>

namespace lumetra::test {
namespace {

using CursorPointsKeys = CurveFixture;

// Pixels where two plot images differ, with the exclusive-or of their colours.
QMap<QPair<int, int>, Colour> difference(const QImage &a, const QImage &b)
{
    QMap<QPair<int, int>, Colour> d;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                d.insert({x, y}, fromQRgb(a.pixel(x, y)) ^ fromQRgb(b.pixel(x, y)));
    return d;
}

// The pixels of a +-5 cross at (x, y) inside a w x h plot. Both strokes pass the centre, so the
// exclusive-or pen leaves the centre itself as it was.
QSet<QPair<int, int>> crossPixels(int x, int y, int w, int h)
{
    QSet<QPair<int, int>> s;
    for (int d = -5; d <= 5; ++d) {
        if (d == 0)
            continue;
        if (x + d >= 0 && x + d < w)
            s.insert({x + d, y});
        if (y + d >= 0 && y + d < h)
            s.insert({x, y + d});
    }
    return s;
}

TEST_F(CursorPointsKeys, HorizontalReadoutsFollowTheMouse)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    const QImage before = w->plot().image().copy();
    moveTo(w, 100, 37);
    EXPECT_EQ(w->xReadout()->text(), "-220");
    EXPECT_EQ(w->xReadout()->x(), 33 + 100);
    EXPECT_EQ(w->xReadout()->y(), 49);
    EXPECT_EQ(w->yReadout()->text(), "81.5");
    EXPECT_EQ(w->yReadout()->y(), 60 + 37);
    EXPECT_EQ(w->yReadout()->x(), 677);
    EXPECT_EQ(state->view.CursorX, 100);
    EXPECT_EQ(state->view.CursorY, 37);
    EXPECT_EQ(w->plotView()->cursor().shape(), Qt::CrossCursor);
    // The crosshair left column 320 / row 100 for column 100 / row 37.
    const auto moved = difference(before, w->plot().image());
    EXPECT_EQ(moved.value({320, 5}), colours::Crosshair);
    EXPECT_EQ(moved.value({100, 5}), colours::Crosshair);
    EXPECT_EQ(moved.value({7, 100}), colours::Crosshair);
    EXPECT_EQ(moved.value({7, 37}), colours::Crosshair);
    EXPECT_FALSE(moved.contains({7, 50}));

    moveTo(w, 640, 0); // right edge: the end of the axis
    EXPECT_EQ(w->xReadout()->text(), "320");
    EXPECT_EQ(w->yReadout()->text(), "100");
    moveTo(w, 639, 200);
    EXPECT_EQ(w->xReadout()->text(), "319");
    EXPECT_EQ(w->yReadout()->text(), "0");

    QTest::mouseClick(w->enlargeButton(), Qt::LeftButton);
    moveTo(w, 301, 3);
    EXPECT_EQ(w->xReadout()->text(), "-119"); // floor(301 / 1.5 + 0.5) - 320
    EXPECT_EQ(w->yReadout()->text(), "99.25");
    EXPECT_EQ(w->xReadout()->x(), 30 + 301);
    moveTo(w, 960, 10);
    EXPECT_EQ(w->xReadout()->text(), "320");
}

TEST_F(CursorPointsKeys, VerticalReadoutsFollowTheMouse)
{
    CurveWindow *w = openCurves(true);
    ASSERT_NE(w, nullptr);
    moveTo(w, 37, 100);
    EXPECT_EQ(w->xReadout()->text(), "18.5");
    EXPECT_EQ(w->xReadout()->x(), 100 + 37);
    EXPECT_EQ(w->yReadout()->text(), "-140");
    EXPECT_EQ(w->yReadout()->y(), 20 + 100);
    moveTo(w, 200, 480);
    EXPECT_EQ(w->xReadout()->text(), "100");
    EXPECT_EQ(w->yReadout()->text(), "240");
}

TEST_F(CursorPointsKeys, ElevenPointsAtMostAndRemoveAllRestoresThePlot)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    moveTo(w, 10, 10);
    const QImage before = w->plot().image().copy();

    for (int i = 0; i < 11; ++i)
        click(w, 30 + 50 * i, 20 + 15 * i);
    EXPECT_EQ(state->view.MarkCountH, 11);
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        const int x = 30 + 50 * i;
        const int y = 20 + 15 * i;
        EXPECT_EQ(state->view.MarkPixelsH[i][0], x);
        EXPECT_EQ(state->view.MarkPixelsH[i][1], y);
        EXPECT_EQ(state->view.MarkValuesH[i][0], x - 320);
        EXPECT_EQ(state->view.MarkValuesH[i][1], (200 - y) / 2.0);
        QLabel *label = w->pointLabel(i);
        EXPECT_TRUE(label->isVisible());
        EXPECT_EQ(label->text(), CurveValues::pointCaption(x - 320, (200 - y) / 2.0));
        EXPECT_EQ(label->pos(), QPoint(2 + x + 5, 2 + y - 5));
    }
    EXPECT_EQ(w->pointLabel(3)->text(), "(-140,67.5)");

    moveTo(w, 600, 190);
    const QImage eleven = w->plot().image().copy();
    click(w, 600, 190); // a twelfth point is refused
    EXPECT_EQ(state->view.MarkCountH, 11);
    EXPECT_EQ(w->plot().image(), eleven);

    // The popup menu opens on the right button and removes every cross.
    click(w, 600, 190, Qt::RightButton);
    EXPECT_TRUE(w->popupMenu()->isVisible());
    w->popupMenu()->hide();
    w->popupItem("clearPoints")->trigger();
    EXPECT_EQ(state->view.MarkCountH, 0);
    for (int i = 0; i < 11; ++i)
        EXPECT_FALSE(w->pointLabel(i)->isVisible()) << i;
    moveTo(w, 10, 10);
    EXPECT_TRUE(difference(before, w->plot().image()).isEmpty());

    click(w, 10, 10);
    EXPECT_EQ(state->view.MarkCountH, 1);
    EXPECT_EQ(state->view.MarkPixelsH[0][0], 10);
    EXPECT_TRUE(w->pointLabel(0)->isVisible());
    EXPECT_EQ(w->pointLabel(0)->text(), "(-310,95)");
}

TEST_F(CursorPointsKeys, PointsOnTheRightEdgeShowTheEndOfTheAxis)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    click(w, 640, 100);
    EXPECT_EQ(w->pointLabel(0)->text(), "(320,50)");
    click(w, 641, 101);
    EXPECT_EQ(w->pointLabel(1)->text(), "(320,49.5)");
}

TEST_F(CursorPointsKeys, VerticalCaptionsGiveIntensityFirst)
{
    CurveWindow *w = openCurves(true);
    ASSERT_NE(w, nullptr);
    click(w, 37, 100);
    QLabel *label = w->pointLabel(0);
    EXPECT_EQ(label->text(), "(18.5,-140)");
    EXPECT_EQ(state->view.MarkValuesV[0][0], 18.5);
    EXPECT_EQ(state->view.MarkValuesV[0][1], -140);
    EXPECT_EQ(label->pos(), QPoint(2 + static_cast<int>(std::floor(37 - 5 - label->width() / 2.0)), 2 + 105));
    EXPECT_EQ(state->view.MarkCountH, 0);
}

TEST_F(CursorPointsKeys, ShiftLeftScrollsTheAxisToZeroAndStops)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    click(w, 325, 80);
    ASSERT_EQ(w->pointLabel(0)->text(), "(5,60)");

    const double cursorX = state->view.CursorX;
    key(w, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(state->view.AxisStart, -319);
    EXPECT_EQ(state->view.AxisEnd, 321);
    EXPECT_EQ(state->view.CursorX, cursorX); // the crosshair stays
    EXPECT_EQ(state->view.MarkPixelsH[0][0], 325);
    EXPECT_EQ(state->view.MarkPixelsH[0][1], 80);
    EXPECT_EQ(state->view.MarkValuesH[0][0], 6);
    EXPECT_EQ(w->pointLabel(0)->text(), "(6,60)");
    EXPECT_EQ(IntensityTableWindow::instance(*context)->text(1, 0), "-318");
    EXPECT_EQ(w->xReadout()->text(), QString::number(cursorX - 319)); // position under the crosshair
    // The cross was drawn again on the refreshed plot: removing it changes exactly its pixels.
    const QImage scrolled = w->plot().image().copy();
    w->popupItem("clearPoints")->trigger();
    const auto removed = difference(scrolled, w->plot().image());
    const QSet<QPair<int, int>> removedPixels(removed.keyBegin(), removed.keyEnd());
    EXPECT_EQ(removedPixels, crossPixels(325, 80, 640, 200));
    for (Colour c : removed)
        EXPECT_EQ(c, colours::White);

    for (int i = 1; i < 320; ++i)
        key(w, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(state->view.AxisStart, 0);
    EXPECT_EQ(state->view.AxisEnd, 640);
    const QImage atEnd = w->plot().image().copy();
    key(w, Qt::Key_Left, Qt::ShiftModifier); // the 321st does nothing
    EXPECT_EQ(state->view.AxisStart, 0);
    EXPECT_EQ(w->plot().image(), atEnd);

    key(w, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(state->view.AxisStart, -1);
    key(w, Qt::Key_Up, Qt::ShiftModifier); // nothing in the horizontal window
    key(w, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(state->view.AxisStart, -1);
    EXPECT_EQ(state->view.CursorY, 100);
}

TEST_F(CursorPointsKeys, ShiftRightStopsAtTheLowEnd)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w->enlargeButton(), Qt::LeftButton);
    key(w, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(state->view.AxisStart, -321);
    EXPECT_EQ(state->view.AxisStartZoom, -481.5);
    EXPECT_EQ(state->view.AxisEndZoom, 478.5);
    for (int i = 1; i < 320; ++i)
        key(w, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(state->view.AxisStart, -640);
    key(w, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(state->view.AxisStart, -640);
    EXPECT_EQ(state->view.AxisEnd, 0);
}

TEST_F(CursorPointsKeys, ArrowKeysNudgeCrosshairAndPointerWithinTheLimits)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    pointer.canMove = true;
    pointer.current = QPoint(500, 400);

    key(w, Qt::Key_Left);
    EXPECT_EQ(state->view.CursorX, 319);
    EXPECT_EQ(pointer.current, QPoint(499, 400));
    EXPECT_EQ(w->xReadout()->text(), "-1");
    key(w, Qt::Key_Left, Qt::ControlModifier); // Ctrl + left is a plain left
    EXPECT_EQ(state->view.CursorX, 318);
    key(w, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier); // not Shift alone
    EXPECT_EQ(state->view.CursorX, 317);
    EXPECT_EQ(state->view.AxisStart, -320);
    key(w, Qt::Key_Down);
    EXPECT_EQ(state->view.CursorY, 101);
    EXPECT_EQ(pointer.current, QPoint(497, 401));
    key(w, Qt::Key_Up);
    key(w, Qt::Key_Right);
    EXPECT_EQ(state->view.CursorX, 318);
    EXPECT_EQ(state->view.CursorY, 100);

    // Where the pointer cannot move, the crosshair and the readouts still do.
    pointer.canMove = false;
    const QImage before = w->plot().image().copy();
    key(w, Qt::Key_Up);
    EXPECT_EQ(state->view.CursorY, 99);
    EXPECT_EQ(w->yReadout()->text(), "50.5");
    EXPECT_EQ(w->yReadout()->y(), 60 + 99);
    const auto moved = difference(before, w->plot().image());
    EXPECT_EQ(moved.value({7, 100}), colours::Crosshair);
    EXPECT_EQ(moved.value({7, 99}), colours::Crosshair);

    // Limits: left needs x > 1, up y >= 1, right x <= W - 1, down y <= H - 1.
    moveTo(w, 1, 0);
    key(w, Qt::Key_Left);
    key(w, Qt::Key_Up);
    EXPECT_EQ(state->view.CursorX, 1);
    EXPECT_EQ(state->view.CursorY, 0);
    moveTo(w, 2, 1);
    key(w, Qt::Key_Left);
    key(w, Qt::Key_Up);
    EXPECT_EQ(state->view.CursorX, 1);
    EXPECT_EQ(state->view.CursorY, 0);
    moveTo(w, 639, 199);
    key(w, Qt::Key_Right);
    key(w, Qt::Key_Down);
    EXPECT_EQ(state->view.CursorX, 640);
    EXPECT_EQ(state->view.CursorY, 200);
    EXPECT_EQ(w->xReadout()->text(), "320");
    key(w, Qt::Key_Right);
    key(w, Qt::Key_Down);
    EXPECT_EQ(state->view.CursorX, 640);
    EXPECT_EQ(state->view.CursorY, 200);
    key(w, Qt::Key_A); // other keys do nothing
    EXPECT_EQ(state->view.CursorX, 640);
}

TEST_F(CursorPointsKeys, VerticalWindowScrollsWithShiftUpAndDown)
{
    CurveWindow *w = openCurves(true);
    ASSERT_NE(w, nullptr);
    click(w, 60, 245);
    ASSERT_EQ(w->pointLabel(0)->text(), "(30,5)");
    key(w, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(state->view.AxisStart, -239);
    EXPECT_EQ(w->pointLabel(0)->text(), "(30,6)");
    EXPECT_EQ(IntensityTableWindow::instance(*context)->text(480, 0), "241");
    key(w, Qt::Key_Down, Qt::ShiftModifier);
    key(w, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(state->view.AxisStart, -241);
    EXPECT_EQ(w->pointLabel(0)->text(), "(30,4)");
    // Shift with left or right moves like a plain arrow here.
    const double x = state->view.CursorX;
    key(w, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(state->view.CursorX, x - 1);
    EXPECT_EQ(state->view.AxisStart, -241);
    for (int i = 0; i < 300; ++i)
        key(w, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(state->view.AxisStart, 0);
    for (int i = 0; i < 500; ++i)
        key(w, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(state->view.AxisStart, -480);
    EXPECT_EQ(state->view.AxisEnd, 0);
}

TEST_F(CursorPointsKeys, EnlargeAndReturnMapPointsBackWithinAPixel)
{
    CurveWindow *w = openCurves(false);
    ASSERT_NE(w, nullptr);
    const QList<QPoint> places = {{1, 1}, {101, 33}, {333, 151}, {639, 199}, {417, 77}};
    for (const QPoint &p : places)
        click(w, p.x(), p.y());
    QList<double> intensities;
    for (int i = 0; i < places.size(); ++i)
        intensities << state->view.MarkValuesH[i][1];
    QTest::mouseClick(w->enlargeButton(), Qt::LeftButton);
    QTest::mouseClick(w->shrinkButton(), Qt::LeftButton);
    for (int i = 0; i < places.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(state->view.MarkPixelsH[i][0], places[i].x(), 1);
        EXPECT_NEAR(state->view.MarkPixelsH[i][1], places[i].y(), 1);
        EXPECT_EQ(state->view.MarkValuesH[i][1], intensities[i]);
        EXPECT_EQ(state->view.MarkValuesH[i][0], state->view.MarkPixelsH[i][0] - 320);
        EXPECT_TRUE(w->pointLabel(i)->isVisible());
    }
}

} // namespace
} // namespace lumetra::test
