// Where the curve window and the table go in the main frame: beside the workspace, never over
// its picture when the area has room, kept above the workspace, enlarged inside the area.
#include "CurveFixture.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace lumetra::test {
namespace {

class CurveWindowPlacement : public CurveFixture
{
protected:
    void SetUp() override
    {
        CurveFixture::SetUp();
        area.resize(1600, 950);
        area.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        area.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        area.show();
        context->mdiArea = &area;
    }
    QWidget *topWindow() const
    {
        const auto list = area.subWindowList(QMdiArea::StackingOrder);
        return list.isEmpty() ? nullptr : list.back();
    }
    QMdiArea area;
    // The table at the left, the workspace at the top and the curves off the picture; kept on
    // top when the picture is clicked; enlarged inside the area.
    void checkTiling(bool vertical);
};

void CurveWindowPlacement::checkTiling(bool vertical)
{
    {
        CurveWindow *w = openCurves(vertical);
        ASSERT_NE(w, nullptr);
        WorkspaceWindow *ws = WorkspaceWindow::instance(*context);
        const QRect table = childWindowFrame(IntensityTableWindow::instance(*context))->geometry();
        const QRect curves = childWindowFrame(w)->geometry();
        const QRect visible(QPoint(0, 0), area.viewport()->size());
        // Beside the workspace where the area is empty; the table in a free place left over.
        EXPECT_EQ(curves.topLeft(), QPoint(ws->windowRect().right() + 1, 0)) << vertical;
        EXPECT_FALSE(curves.intersects(ws->windowRect())) << vertical;
        EXPECT_FALSE(table.intersects(ws->pictureRect())) << vertical;
        EXPECT_FALSE(curves.intersects(table)) << vertical;
        EXPECT_TRUE(visible.contains(curves)) << vertical;
        EXPECT_TRUE(visible.contains(table)) << vertical;

        // A press on the picture moves the cut and leaves the curve window on top.
        QTest::mouseClick(ws->pictureView(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
        EXPECT_EQ(state->cut.CutPosition, vertical ? 298 : 198);
        EXPECT_EQ(topWindow(), childWindowFrame(w));
        area.setActiveSubWindow(qobject_cast<QMdiSubWindow *>(childWindowFrame(ws)));
        QApplication::processEvents();
        EXPECT_EQ(topWindow(), childWindowFrame(w));

        // Enlarged, the plot stays inside the area; back to normal size, back in its place.
        QTest::mouseClick(w->enlargeButton(), Qt::LeftButton);
        EXPECT_TRUE(QRect(QPoint(0, 0), area.viewport()->size()).contains(childWindowFrame(w)->geometry()));
        QTest::mouseClick(w->shrinkButton(), Qt::LeftButton);
        EXPECT_EQ(childWindowFrame(w)->geometry(), curves);
    }
}

TEST_F(CurveWindowPlacement, HorizontalWindowIsTiled)
{
    checkTiling(false);
}

TEST_F(CurveWindowPlacement, VerticalWindowIsTiled)
{
    checkTiling(true);
}

} // namespace
} // namespace lumetra::test
