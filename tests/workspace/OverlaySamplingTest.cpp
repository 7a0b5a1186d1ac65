// Overlays on the workspace picture (the region rectangle, the cut marker) are drawn for the eye
// only: the curve windows' sampling and the filters read the picture under them.
#include "WorkspaceFixture.h"

#include "analysis/picture/ImageFilterRun.h"
#include "analysis/picture/Sampling.h"
#include "curves/CurveWindow.h"
#include "workspace/WorkspaceWindow.h"
#include "workspace/surface3d/RegionCommands.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>

namespace lumetra::test {
namespace {

class OverlaySampling : public WorkspaceFixture
{
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        ws = openPattern();
        ASSERT_NE(ws, nullptr);
        ws->menuItem(QStringLiteral("drawSurface"))->trigger();
    }

    void mouse(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QWidget *view = ws->pictureView();
        const QPointF local(x + 2, y + 2);
        QMouseEvent event(type, local, view->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }
    // A drag too narrow to chart (15 pixels wide): its rectangle stays on the picture.
    void dragTooSmallRegion()
    {
        mouse(QEvent::MouseButtonPress, 100, 150, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, 115, 250, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, 115, 250, Qt::LeftButton, Qt::NoButton);
        ASSERT_TRUE(RegionCommands::of(*ws)->rectangleShown());
        ASSERT_NE(ws->picture().image(), image.convertToFormat(QImage::Format_RGB32)) << "the rectangle shows";
    }

    // The same picture sampled and filtered without anything drawn over it.
    struct Reference
    {
        std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
        PictureSurface picture{640, 480};
    };
    std::unique_ptr<Reference> reference() const
    {
        auto r = std::make_unique<Reference>();
        r->picture.setPicture(image);
        r->state->picture.ImageWidth = 640;
        r->state->picture.ImageHeight = 480;
        SilentProgress quiet;
        sampling::ReadColours(r->state->picture, r->picture, quiet);
        sampling::ComputeGreyMap(r->state->picture, quiet);
        return r;
    }

    static void expectSameGreyMap(const AnalysisState &a, const AnalysisState &b)
    {
        for (int y = 0; y <= 480; ++y)
            for (int x = 0; x <= 640; ++x)
                ASSERT_EQ(a.picture.GreyMap(x, y), b.picture.GreyMap(x, y)) << x << "," << y;
    }

    WorkspaceWindow *ws = nullptr;
};

TEST_F(OverlaySampling, ARegionRectangleLeftOnThePictureIsNeitherSampledNorFiltered)
{
    dragTooSmallRegion();
    ws->menuItem(QStringLiteral("horizontalCurve"))->trigger();
    ASSERT_NE(context->curveWindow, nullptr);
    const auto clean = reference();
    expectSameGreyMap(*state, *clean->state);

    ws->menuItem(QStringLiteral("blur1"))->trigger();
    FilterRandom random{1};
    applyImageFilter(ImageFilter::Blur1, *clean->state, clean->picture, progress, random);
    EXPECT_EQ(ws->picture().drawing(), clean->picture.image()) << "the filter wrote the clean blur";
    // On the screen the rectangle and the cut marker are still laid over the filtered picture.
    EXPECT_NE(ws->picture().image(), clean->picture.image());
    EXPECT_TRUE(RegionCommands::of(*ws)->rectangleShown());
}

TEST_F(OverlaySampling, ACurveWindowReopenedInRegionModeSamplesNoCutMarker)
{
    ws->menuItem(QStringLiteral("horizontalCurve"))->trigger();
    ASSERT_NE(context->curveWindow, nullptr);
    // A press in region mode moves the cut too and starts a rectangle across the marker.
    mouse(QEvent::MouseButtonPress, 300, 200, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, 300, 200, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(state->cut.CutPosition, 200);
    dragTooSmallRegion();

    context->curveWindow->closeWindow();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ws->menuItem(QStringLiteral("horizontalCurve"))->trigger();
    ASSERT_NE(context->curveWindow, nullptr);
    ASSERT_NE(ws->picture().image().pixel(10, 192), ws->picture().drawing().pixel(10, 192))
        << "the new window's marker shows on row 192";
    expectSameGreyMap(*state, *reference()->state);

    // Closing it once more leaves only the rectangle over the untouched picture.
    context->curveWindow->closeWindow();
    EXPECT_EQ(ws->picture().drawing(), image.convertToFormat(QImage::Format_RGB32));
}

} // namespace
} // namespace lumetra::test
