#include "FakeCurveWindow.h"
#include "analysis/curves/Overlays.h"
#include "surface/PictureSurface.h"
#include "support/SurfaceChecks.h"

#include <gtest/gtest.h>

#include <memory>

using namespace lumetra;

namespace {

constexpr Colour Back = rgb(70, 70, 70);

Colour xorOf(Colour a, Colour b)
{
    return a ^ b;
}

std::unique_ptr<PictureSurface> surface(int w, int h, Colour back = Back)
{
    auto s = std::make_unique<PictureSurface>(w, h);
    s->setBackColour(back);
    return s;
}

std::unique_ptr<AnalysisState> windowState(int orientation)
{
    auto state = std::make_unique<AnalysisState>();
    state->picture.ImageWidth = 640;
    state->picture.ImageHeight = 480;
    state->cut.Active = true;
    state->cut.CutOrientation = static_cast<int16_t>(orientation);
    return state;
}

} // namespace

using lumetra::testing::countColour;

TEST(DrawCrosshair, DrawingTwiceRemovesTheCrossAndThePenReturnsToCopy)
{
    auto state = windowState(1);
    auto plot = surface(640, 200);
    const QImage before = plot->image().copy();
    overlays::DrawCrosshair(*state, *plot, 320, 100, 0, 0, CrosshairMode::Draw);
    const Colour green = xorOf(Back, colours::Crosshair);
    EXPECT_EQ(plot->point(320, 0), green);
    EXPECT_EQ(plot->point(320, 199), green);
    EXPECT_EQ(plot->point(0, 100), green);
    EXPECT_EQ(plot->point(639, 100), green);
    EXPECT_EQ(plot->point(320, 100), Back) << "the crossing pixel is inverted twice";
    EXPECT_EQ(plot->penMode(), PictureSurface::PenMode::Copy);
    EXPECT_EQ(plot->lineStyle(), PictureSurface::LineStyle::Solid);
    overlays::DrawCrosshair(*state, *plot, 320, 100, 0, 0, CrosshairMode::Draw);
    EXPECT_EQ(plot->image(), before);
}

TEST(DrawCrosshair, MoveWithTheSamePlaceKeepsTheCrossVisible)
{
    auto state = windowState(2);
    auto plot = surface(200, 480);
    overlays::DrawCrosshair(*state, *plot, 100, 240, 0, 0, CrosshairMode::Draw);
    const QImage shown = plot->image().copy();
    overlays::DrawCrosshair(*state, *plot, 100, 240, 100, 240, CrosshairMode::Move);
    EXPECT_EQ(plot->image(), shown);
    EXPECT_EQ(plot->point(100, 10), xorOf(Back, colours::Crosshair));
}

TEST(DrawCrosshair, MoveTakesTheOldCrossAwayAndDrawsTheNewOne)
{
    auto state = windowState(1);
    auto plot = surface(640, 200);
    overlays::DrawCrosshair(*state, *plot, 320, 100, 0, 0, CrosshairMode::Draw);
    overlays::DrawCrosshair(*state, *plot, 320, 100, 50, 30, CrosshairMode::Move);
    const Colour green = xorOf(Back, colours::Crosshair);
    EXPECT_EQ(plot->point(320, 10), Back);
    EXPECT_EQ(plot->point(10, 100), Back);
    EXPECT_EQ(plot->point(50, 10), green);
    EXPECT_EQ(plot->point(10, 30), green);
    EXPECT_EQ(countColour(*plot, green), 200 + 640 - 2);
}

TEST(DrawCrosshair, LinesSpanThePlotOfTheOrientationAndSize)
{
    auto state = windowState(1);
    state->view.Enlarged = true;
    auto plot = surface(960, 400);
    overlays::DrawCrosshair(*state, *plot, 480, 200, 0, 0, CrosshairMode::Draw);
    const Colour green = xorOf(Back, colours::Crosshair);
    EXPECT_EQ(plot->point(480, 399), green);
    EXPECT_EQ(plot->point(959, 200), green);

    auto vertical = windowState(2);
    vertical->view.Enlarged = true;
    auto tall = surface(400, 600);
    overlays::DrawCrosshair(*vertical, *tall, 200, 300, 0, 0, CrosshairMode::Draw);
    EXPECT_EQ(tall->point(200, 599), green);
    EXPECT_EQ(tall->point(399, 300), green);

    auto none = windowState(0);
    auto untouched = surface(640, 200);
    overlays::DrawCrosshair(*none, *untouched, 320, 100, 0, 0, CrosshairMode::Draw);
    EXPECT_EQ(countColour(*untouched, Back), 640 * 200);
}

TEST(DrawCutMarker, TogglesTheCutLineAndTheDottedBand)
{
    auto state = windowState(1);
    state->cut.CutPosition = 192;
    state->cut.IntegrationWidth = 5;
    auto picture = surface(640, 480);
    const QImage before = picture->image().copy();
    overlays::DrawCutMarker(*state, *picture);
    const Colour yellow = xorOf(Back, colours::CutLine);
    const Colour green = xorOf(Back, colours::Band);
    EXPECT_EQ(picture->point(0, 192), yellow);
    EXPECT_EQ(picture->point(639, 192), yellow);
    EXPECT_EQ(picture->point(0, 187), green);
    EXPECT_EQ(picture->point(1, 187), Back) << "dotted: one on, two off";
    EXPECT_EQ(picture->point(3, 197), green);
    EXPECT_EQ(picture->penMode(), PictureSurface::PenMode::Copy);
    EXPECT_EQ(picture->lineStyle(), PictureSurface::LineStyle::Solid);
    overlays::DrawCutMarker(*state, *picture);
    EXPECT_EQ(picture->image(), before);
}

TEST(DrawCutMarker, ZeroWidthBandLinesCancelOnTheCutLine)
{
    auto state = windowState(2);
    state->cut.CutPosition = 320;
    auto picture = surface(640, 480);
    overlays::DrawCutMarker(*state, *picture);
    const Colour yellow = xorOf(Back, colours::CutLine);
    for (int y : {0, 1, 2, 3, 240, 479})
        EXPECT_EQ(picture->point(320, y), yellow) << y;
    EXPECT_EQ(countColour(*picture, yellow), 480);
}

TEST(DrawCutMarker, NothingWithoutAnOpenCurveWindow)
{
    auto state = windowState(1);
    state->cut.Active = false;
    state->cut.CutPosition = 100;
    auto picture = surface(640, 480);
    overlays::DrawCutMarker(*state, *picture);
    EXPECT_EQ(countColour(*picture, Back), 640 * 480);
}

namespace {

// A horizontal curve window as it stands after opening: a picture whose row 192 rises to the
// middle, normal size, cursor at the plot centre.
struct OpenWindow
{
    std::unique_ptr<AnalysisState> state = windowState(1);
    std::unique_ptr<PictureSurface> plot = surface(640, 200);
    FakeCurveWindow window{710, 330};

    OpenWindow()
    {
        plot->setPlacement(33, 60);
        state->cut.CutPosition = 192;
        state->view.AxisStart = -320;
        state->view.AxisEnd = 320;
        state->view.CursorX = 320;
        state->view.CursorY = 100;
        for (int y = 1; y < 480; ++y)
            for (int x = 1; x < 640; ++x)
                state->picture.GreyMap(x, y) = 20 + (x < 320 ? x : 640 - x) / 2;
    }
};

} // namespace

TEST(RefreshCurveWindow, FaceModeRedrawsBothCurvesZeroLineAndOriginMark)
{
    OpenWindow w;
    for (int x = 1; x < 640; ++x)
        w.state->picture.GreyMap(x, 192) += 18; // the cut row stands out, so the curves differ
    w.state->picture.GreyMax = 999;             // a rescan puts the whole-picture range back
    w.window.surface.setPersistent(true);
    w.window.surface.setPixel(700, 5, colours::White);
    overlays::RefreshCurveWindow(*w.state, *w.plot, w.window, 1);

    EXPECT_EQ(w.window.surface.point(700, 5), rgb(212, 208, 200)) << "the window is cleared first";
    EXPECT_EQ(w.window.surface.point(35 - 6, 62 + 20), colours::EngraveLight) << "frame redrawn";
    EXPECT_EQ(w.state->picture.GreyMax, 198);
    EXPECT_EQ(w.state->picture.ImageGreyMax, 198);
    EXPECT_GT(countColour(*w.plot, colours::RawCurve), 600);
    EXPECT_GT(countColour(*w.plot, colours::AnalysedFace), 600);
    EXPECT_EQ(w.state->cut.ProfileH[100], 72) << "the profile is analysed again at normal size";

    // Zero line at column 320 (blue, exclusive-or over the grid line there and the crosshair),
    // origin mark at 321.
    EXPECT_EQ(w.plot->point(320, 10), xorOf(xorOf(colours::Grid, colours::ZeroBlue), colours::Crosshair));
    EXPECT_EQ(w.plot->point(321, 10), xorOf(Back, colours::ZeroOrange));
    EXPECT_EQ(w.plot->point(319, 10), Back);
    // The crosshair at (320, 100): its horizontal line across the plot.
    EXPECT_EQ(w.plot->point(10, 100), xorOf(colours::Grid, colours::Crosshair)) << "row 100 is a grid line";
    EXPECT_EQ(w.plot->penMode(), PictureSurface::PenMode::Copy);
    EXPECT_TRUE(w.plot->persistent());

    EXPECT_EQ(w.window.readout, "0");
    EXPECT_EQ(w.window.tableCalls, 1);
    EXPECT_EQ(w.window.tableStart, -320);
    EXPECT_EQ(w.window.tableRows, 640);
}

TEST(RefreshCurveWindow, OriginMarkSideAndScrolledAxis)
{
    OpenWindow w;
    w.state->view.AxisStart = -300; // scrolled by 20
    w.state->view.AxisEnd = 340;
    overlays::RefreshCurveWindow(*w.state, *w.plot, w.window, 2);
    EXPECT_EQ(w.plot->point(300, 10), xorOf(Back, colours::ZeroBlue)); // no grid line at 300
    EXPECT_EQ(w.plot->point(299, 10), xorOf(Back, colours::ZeroOrange));
    EXPECT_EQ(w.window.readout, "20");
    EXPECT_EQ(w.window.tableStart, -300);

    OpenWindow none;
    overlays::RefreshCurveWindow(*none.state, *none.plot, none.window, 0);
    EXPECT_EQ(none.plot->point(321, 10), Back);
    EXPECT_EQ(none.plot->point(319, 10), Back);
    EXPECT_EQ(countColour(*none.plot, xorOf(Back, colours::ZeroOrange)), 0);
}

TEST(RefreshCurveWindow, LineModeDrawsOnlyTheAnalysedCurveInBlue)
{
    OpenWindow w;
    w.window.lineMode = true;
    overlays::RefreshCurveWindow(*w.state, *w.plot, w.window, 1);
    EXPECT_EQ(w.state->cut.ProfileMax, 180);
    EXPECT_EQ(w.state->cut.ProfileMin, 20);
    EXPECT_EQ(countColour(*w.plot, colours::RawCurve), 0);
    EXPECT_EQ(countColour(*w.plot, colours::AnalysedFace), 0);
    EXPECT_GT(countColour(*w.plot, colours::AnalysedLine), 600);
    // The profile's own range fills the plot: 179 maps to 200 - floor(200 * 159 / 160) = 2.
    EXPECT_EQ(w.plot->point(318, 2), colours::AnalysedLine);
}

TEST(RefreshCurveWindow, EnlargedReadoutAndMarksUseTheZoomAxis)
{
    OpenWindow w;
    w.state->view.Enlarged = true;
    w.state->view.AxisStartZoom = -480;
    w.state->view.CursorX = 100;
    w.state->view.CursorY = 200;
    w.plot->resize(960, 400);
    w.state->cut.ProfileH.fill(50); // the enlarged horizontal repaint draws the existing profile
    overlays::RefreshCurveWindow(*w.state, *w.plot, w.window, 1);
    EXPECT_EQ(w.state->cut.ProfileH[100], 50);
    EXPECT_EQ(w.window.readout, "-253"); // floor(100 / 1.5 + 0.5) - 320
    EXPECT_EQ(w.plot->point(480, 10), xorOf(colours::Grid, colours::ZeroBlue));
    EXPECT_EQ(w.plot->point(482, 10), xorOf(Back, colours::ZeroOrange)); // 481.5 drawn at 482
    EXPECT_EQ(w.plot->point(100, 399), xorOf(Back, colours::Crosshair));
}

TEST(RefreshCurveWindow, VerticalWindowUsesRowsAndFourHundredEightyTableRows)
{
    auto state = windowState(2);
    state->cut.CutPosition = 320;
    state->view.AxisStart = -240;
    state->view.AxisEnd = 240;
    state->view.CursorX = 100;
    state->view.CursorY = 250;
    for (int y = 1; y < 480; ++y)
        for (int x = 1; x < 640; ++x)
            state->picture.GreyMap(x, y) = 100;
    auto plot = surface(200, 480);
    plot->setPlacement(100, 20);
    FakeCurveWindow window(345, 564);
    overlays::RefreshCurveWindow(*state, *plot, window, 1, true);
    EXPECT_EQ(window.readout, "10");
    EXPECT_EQ(window.tableRows, 480);
    EXPECT_EQ(window.tableStart, -240);
    EXPECT_EQ(plot->point(10, 240), xorOf(colours::Grid, colours::ZeroBlue));
    EXPECT_EQ(plot->point(10, 241), xorOf(Back, colours::ZeroOrange));
    EXPECT_EQ(state->cut.ProfileV[100], 100);

    // Enlarged, the vertical readout divides by 1.25 and the marks sit 1.5 beside row 300.
    state->view.Enlarged = true;
    state->view.AxisStartZoom = -300;
    state->view.CursorY = 100;
    plot->resize(400, 600);
    overlays::RefreshCurveWindow(*state, *plot, window, 2, true);
    EXPECT_EQ(window.readout, "-160"); // floor(100 / 1.25 + 0.5) - 240
    EXPECT_EQ(plot->point(10, 300), xorOf(colours::Grid, colours::ZeroBlue));
    EXPECT_EQ(plot->point(10, 299), xorOf(Back, colours::ZeroOrange)); // 298.5 drawn at 299
}
