// Moving the cut from the workspace picture while a curve window is open.
#include "WorkspaceFixture.h"

#include "curves/CurveWindow.h"
#include "curves/IntensityTableWindow.h"
#include "curves/CurveWindow.h"
#include "workspace/WorkspaceWindow.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace lumetra::test {
namespace {

class CutPicking : public WorkspaceFixture
{
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        writeFile("configtext.txt", "3\r\n5\r\n");
        ws = openPattern();
        ASSERT_NE(ws, nullptr);
        original = ws->picture().image().copy();
    }

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    CurveWindow *openCurveWindow(bool vertical)
    {
        ws->menuItem(vertical ? "verticalCurve" : "horizontalCurve")->trigger();
        CurveWindow *w = CurveWindow::openWindow(*context);
        EXPECT_NE(w, nullptr);
        EXPECT_EQ(w ? w->isVertical() : !vertical, vertical);
        return w;
    }

    // A press on pictureView at picture pixel (x, y); the box border is 2 pixels.
    void press(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(ws->pictureView(), button, {}, QPoint(x + 2, y + 2));
    }
    void key(Qt::Key k) { QTest::keyClick(ws->pictureView(), k); }

    // The grey value of picture pixel (x, y) as the analysis computes it; 0 outside.
    int grey(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= 640 || y >= 480)
            return 0;
        const QRgb c = original.pixel(x, y);
        return static_cast<int>(std::nearbyint(0.587 * qGreen(c) + 0.299 * qRed(c) + 0.114 * qBlue(c)));
    }

    static int percent(double v, double lo, double hi)
    {
        return (v < lo || lo == hi) ? 0 : static_cast<int>(std::floor(100 * (v - lo) / (hi - lo)));
    }

    WorkspaceWindow *ws = nullptr;
    QImage original;
};

TEST_F(CutPicking, CurveCommandsAreDisabledWhileACurveWindowIsOpen)
{
    for (const bool vertical : {false, true}) {
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        EXPECT_TRUE(ws->menuItem("horizontalCurve")->isEnabled());
        EXPECT_TRUE(ws->menuItem("verticalCurve")->isEnabled());
        EXPECT_FALSE(ws->menuItem("exportTable")->isEnabled());
        CurveWindow *w = openCurveWindow(vertical);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(CurveWindow::instance(*context, vertical), w);
        EXPECT_FALSE(ws->menuItem("horizontalCurve")->isEnabled());
        EXPECT_FALSE(ws->menuItem("verticalCurve")->isEnabled());
        EXPECT_TRUE(ws->menuItem("exportTable")->isEnabled());
        for (const char *name : {"filters", "surface3d", "settings"})
            EXPECT_TRUE(ws->menuItem(name)->isEnabled()) << name;
        w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(CurveWindow::openWindow(*context), nullptr);
        EXPECT_TRUE(ws->menuItem("horizontalCurve")->isEnabled());
        EXPECT_TRUE(ws->menuItem("verticalCurve")->isEnabled());
        EXPECT_FALSE(ws->menuItem("exportTable")->isEnabled());
        // The marker went with the window: the picture is as loaded.
        EXPECT_EQ(ws->picture().image(), original);
    }
}

TEST_F(CutPicking, WithoutACurveWindowPressesAndKeysChangeNothing)
{
    state->cut.CutPosition = 100;
    state->view.MarkCountH = 2;
    for (const Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton})
        press(50, 60, b);
    for (const Qt::Key k : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right})
        key(k);
    EXPECT_EQ(state->cut.CutPosition, 100);
    EXPECT_EQ(state->view.MarkCountH, 2);
    EXPECT_EQ(ws->picture().image(), original);

    // A stale flag without the window behind it is no reason to draw either.
    state->cut.Active = true;
    state->cut.CutOrientation = 1;
    press(50, 60);
    key(Qt::Key_Down);
    EXPECT_EQ(state->cut.CutPosition, 100);
    EXPECT_EQ(ws->picture().image(), original);
}

TEST_F(CutPicking, PressMovesTheCutToThePressedRowOrColumnWithItsLabel)
{
    CurveWindow *h = openCurveWindow(false);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(state->cut.CutPosition, 192);
    press(17, 300, Qt::RightButton);
    EXPECT_EQ(state->cut.CutPosition, 300);
    EXPECT_EQ(h->cutLabel(), QStringLiteral("对应像素点：300"));
    press(600, 0, Qt::MiddleButton);
    EXPECT_EQ(state->cut.CutPosition, 0);
    EXPECT_EQ(h->cutLabel(), QStringLiteral("对应像素点：0"));
    h->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    CurveWindow *v = openCurveWindow(true);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(state->cut.CutPosition, 320);
    press(300, 17);
    EXPECT_EQ(state->cut.CutPosition, 300);
    EXPECT_EQ(v->cutLabel(), QStringLiteral("300"));
    // The box border around the picture is not the picture: no move.
    QTest::mouseClick(ws->pictureView(), Qt::LeftButton, {}, QPoint(0, 100));
    QTest::mouseClick(ws->pictureView(), Qt::LeftButton, {}, QPoint(643, 100));
    EXPECT_EQ(state->cut.CutPosition, 300);
}

TEST_F(CutPicking, UpAndDownKeepAHorizontalCutWithinRows1To479)
{
    CurveWindow *h = openCurveWindow(false);
    ASSERT_NE(h, nullptr);
    press(5, 1);
    key(Qt::Key_Up);
    EXPECT_EQ(state->cut.CutPosition, 1);
    key(Qt::Key_Down);
    EXPECT_EQ(state->cut.CutPosition, 2);
    key(Qt::Key_Up);
    EXPECT_EQ(state->cut.CutPosition, 1);

    press(5, 478);
    key(Qt::Key_Down);
    EXPECT_EQ(state->cut.CutPosition, 479);
    EXPECT_EQ(h->cutLabel(), QStringLiteral("对应像素点：479"));
    const QImage atEdge = ws->picture().image().copy();
    key(Qt::Key_Down);
    EXPECT_EQ(state->cut.CutPosition, 479);
    EXPECT_EQ(ws->picture().image(), atEdge);
    // Left and Right belong to vertical cuts.
    key(Qt::Key_Left);
    key(Qt::Key_Right);
    EXPECT_EQ(state->cut.CutPosition, 479);
    key(Qt::Key_Up);
    EXPECT_EQ(state->cut.CutPosition, 478);
    EXPECT_EQ(h->cutLabel(), QStringLiteral("对应像素点：478"));

    // A press may take row 0; the keys step only from rows 1..478 and 2..479, so neither moves it.
    press(5, 0);
    EXPECT_EQ(state->cut.CutPosition, 0);
    key(Qt::Key_Up);
    key(Qt::Key_Down);
    EXPECT_EQ(state->cut.CutPosition, 0);
}

TEST_F(CutPicking, LeftAndRightKeepAVerticalCutWithinColumns1To639)
{
    CurveWindow *v = openCurveWindow(true);
    ASSERT_NE(v, nullptr);
    press(638, 5);
    key(Qt::Key_Right);
    EXPECT_EQ(state->cut.CutPosition, 639);
    EXPECT_EQ(v->cutLabel(), QStringLiteral("639"));
    key(Qt::Key_Right);
    EXPECT_EQ(state->cut.CutPosition, 639);
    key(Qt::Key_Up);
    key(Qt::Key_Down);
    EXPECT_EQ(state->cut.CutPosition, 639);
    key(Qt::Key_Left);
    EXPECT_EQ(state->cut.CutPosition, 638);
    EXPECT_EQ(v->cutLabel(), QStringLiteral("638"));
    press(1, 5);
    key(Qt::Key_Left);
    EXPECT_EQ(state->cut.CutPosition, 1);
}

TEST_F(CutPicking, AMoveClearsTheMarkedPointsOfTheWindow)
{
    CurveWindow *h = openCurveWindow(false);
    ASSERT_NE(h, nullptr);
    state->view.MarkCountH = 3;
    state->view.MarkPixelsH[0] = {5, 6};
    state->view.MarkPixelsH[10] = {1, 2};
    state->view.MarkValuesH[2] = {-315, 40};
    state->view.MarkCountV = 1; // the other window's points are not this cut's business
    h->pointLabel(0)->show();
    h->pointLabel(10)->show();

    key(Qt::Key_Down);
    EXPECT_EQ(state->view.MarkCountH, 0);
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(state->view.MarkPixelsH[i], (std::array<double, 2>{0, 0})) << i;
        EXPECT_EQ(state->view.MarkValuesH[i], (std::array<double, 2>{0, 0})) << i;
        EXPECT_TRUE(h->pointLabel(i)->isHidden()) << i;
    }
    EXPECT_EQ(state->view.MarkCountV, 1);
}

TEST_F(CutPicking, TheTableFollowsTheNewCutInBothModes)
{
    CurveWindow *h = openCurveWindow(false);
    ASSERT_NE(h, nullptr);
    IntensityTableWindow *table = IntensityTableWindow::instance(*context);
    ASSERT_NE(table, nullptr);

    // Face mode: the raw column is the grey of the new row against the whole-picture range.
    press(10, 300);
    for (int row = 1; row <= 640; row += 37) {
        SCOPED_TRACE(row);
        const int expected = percent(grey(row, 300), state->picture.ImageGreyMin, state->picture.ImageGreyMax);
        EXPECT_EQ(table->text(row, 1), QString::number(expected));
        EXPECT_EQ(table->text(row, 2),
                  QString::number(percent(state->cut.ProfileH[row], state->picture.GreyMin, state->picture.GreyMax)));
    }
    EXPECT_EQ(table->text(640, 1), "0"); // column 640 lies outside the picture

    // Line mode: the raw column reads 0 and the analysed one uses the profile's own range.
    QTest::mouseClick(h->lineModeButton(), Qt::LeftButton);
    ASSERT_TRUE(h->lineModeActive());
    key(Qt::Key_Up);
    EXPECT_EQ(state->cut.CutPosition, 299);
    ASSERT_LT(state->cut.ProfileMin, state->cut.ProfileMax);
    int nonZero = 0;
    for (int row = 1; row <= 640; ++row) {
        EXPECT_EQ(table->text(row, 1), "0") << row;
        const int expected = percent(state->cut.ProfileH[row], state->cut.ProfileMin, state->cut.ProfileMax);
        EXPECT_EQ(table->text(row, 2), QString::number(expected)) << row;
        nonZero += expected != 0;
    }
    EXPECT_GT(nonZero, 100);
}

TEST_F(CutPicking, ThePlotIsRedrawnForTheNewCutWithoutLeftovers)
{
    CurveWindow *h = openCurveWindow(false);
    ASSERT_NE(h, nullptr);
    press(10, 100);
    const QImage at100 = h->plot().image().copy();
    press(10, 300);
    const QImage at300 = h->plot().image().copy();
    EXPECT_NE(at100, at300);
    for (int i = 0; i < 5; ++i) {
        key(Qt::Key_Down);
        press(10, 200 + i);
    }
    press(10, 100);
    EXPECT_EQ(h->plot().image(), at100);
}

TEST_F(CutPicking, ThePictureOutsideTheMarkerIsUnchangedAfterManyMoves)
{
    for (const bool vertical : {false, true}) {
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        CurveWindow *w = openCurveWindow(vertical);
        ASSERT_NE(w, nullptr);
        const int n = static_cast<int>(state->cut.IntegrationWidth);
        ASSERT_EQ(n, 3);
        for (int i = 0; i < 40; ++i) {
            press((i * 97) % 640, (i * 53) % 480, i % 2 ? Qt::LeftButton : Qt::RightButton);
            key(vertical ? (i % 3 ? Qt::Key_Right : Qt::Key_Left) : (i % 3 ? Qt::Key_Down : Qt::Key_Up));
        }
        const int c = static_cast<int>(state->cut.CutPosition);
        const QImage &now = ws->picture().image();
        int markerPixels = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const int along = vertical ? x : y;
                const bool onMarker = along == c || along == c - n || along == c + n;
                if (!onMarker)
                    ASSERT_EQ(now.pixel(x, y), original.pixel(x, y)) << x << "," << y;
                else
                    markerPixels += now.pixel(x, y) != original.pixel(x, y);
            }
        // The cut line itself is there, whole.
        for (int k = 0; k < (vertical ? 480 : 640); ++k) {
            const QPoint p = vertical ? QPoint(c, k) : QPoint(k, c);
            ASSERT_EQ(now.pixel(p) & 0xffffff, (original.pixel(p) ^ qRgb(255, 255, 0)) & 0xffffff) << k;
        }
        EXPECT_GT(markerPixels, vertical ? 480 : 640);
        w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(ws->picture().image(), original);
    }
}

} // namespace
} // namespace lumetra::test
