#include "analysis/curves/CurvePlot.h"
#include "types/PicturePlacement.h"
#include "surface/PictureSurface.h"
#include "support/SurfaceChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace lumetra;
using lumetra::testing::hasLabel;

namespace {

constexpr Colour WindowGrey = rgb(212, 208, 200);

struct Frame
{
    std::unique_ptr<PictureSurface> window;
    std::unique_ptr<PictureSurface> plot;
    int L = 0, T = 0, W = 0, H = 0;
};

// A window surface with a plot surface placed at (left, top) of it (outer box, 2 px border).
Frame makeFrame(int windowW, int windowH, int plotW, int plotH, int left, int top)
{
    Frame f;
    f.window = std::make_unique<PictureSurface>(windowW, windowH);
    f.window->setBackColour(WindowGrey);
    f.plot = std::make_unique<PictureSurface>(plotW, plotH);
    f.plot->setPlacement(left, top);
    f.L = left + 2;
    f.T = top + 2;
    f.W = plotW;
    f.H = plotH;
    return f;
}

int lightInColumn(const PictureSurface &s, int x, int y0, int y1)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        n += s.point(x, y) == colours::EngraveLight;
    return n;
}

int lightInRow(const PictureSurface &s, int y, int x0, int x1)
{
    int n = 0;
    for (int x = x0; x <= x1; ++x)
        n += s.point(x, y) == colours::EngraveLight;
    return n;
}

double halfTextHeight(const PictureSurface &window)
{
    return window.textHeight("1") / 2.0;
}

} // namespace

TEST(DrawPlotFrame, HorizontalCurveWindowScales)
{
    AnalysisState state;
    state.view.AxisStart = -320;
    Frame f = makeFrame(710, 330, 640, 200, 33, 60);
    int spanX = 640, spanY = 100;
    plotting::DrawPlotFrame(state.view.AxisStart, *f.plot, *f.window, spanX, spanY, 8, 2, "11001", true);
    EXPECT_EQ(spanX, 640) << "left and bottom scales never halve";
    EXPECT_EQ(spanY, 100);

    // Left: 11 major ticks (reach L-8), 21 minor positions (reach L-5).
    EXPECT_EQ(lightInColumn(*f.window, f.L - 6, f.T - 5, f.T + f.H + 5), 11);
    EXPECT_EQ(lightInColumn(*f.window, f.L - 3, f.T - 5, f.T + f.H + 5), 21);
    // Engraved: light on the tick's row, dark one row above it.
    EXPECT_EQ(f.window->point(f.L - 6, f.T + 20), colours::EngraveLight);
    EXPECT_EQ(f.window->point(f.L - 6, f.T + 19), colours::EngraveDark);
    EXPECT_EQ(f.window->point(f.L - 6, f.T + 21), WindowGrey);
    // Bottom: 11 major ticks (to T+H+8), 81 minor (to T+H+5); light right of the dark column.
    EXPECT_EQ(lightInRow(*f.window, f.T + f.H + 6, f.L - 5, f.L + f.W + 5), 11);
    EXPECT_EQ(lightInRow(*f.window, f.T + f.H + 3, f.L - 5, f.L + f.W + 5), 81);
    EXPECT_EQ(f.window->point(f.L + 64, f.T + f.H + 6), colours::EngraveLight);
    EXPECT_EQ(f.window->point(f.L + 63, f.T + f.H + 6), colours::EngraveDark);
    // No right or top scale.
    EXPECT_EQ(lightInColumn(*f.window, f.L + f.W + 3, 0, 329), 0);
    EXPECT_EQ(lightInRow(*f.window, f.T - 3, 0, 709), 0);

    // Labels: 100, 90, ..., 0 right-aligned with spaces, and -320 .. 320 under the ticks.
    const double leftX = f.L - f.window->textWidth("100") - 7;
    const double half = halfTextHeight(*f.window);
    EXPECT_TRUE(hasLabel(*f.window, "100", leftX, f.T - half));
    EXPECT_TRUE(hasLabel(*f.window, " 90", leftX, f.T + 20 - half));
    EXPECT_TRUE(hasLabel(*f.window, "  0", leftX, f.T + 200 - half));
    EXPECT_FALSE(hasLabel(*f.window, " 80", leftX, f.T + 20 - half));
    for (int k : {0, 1, 5, 10}) {
        const QString text = QString::number(k * 64 - 320);
        EXPECT_TRUE(hasLabel(*f.window, text, f.L + 64 * k - f.window->textWidth(text) / 2.0, f.T + f.H + 9))
            << k;
    }
    EXPECT_FALSE(hasLabel(*f.window, "-321", f.L - f.window->textWidth("-321") / 2.0, f.T + f.H + 9));

    // Plot: dark background and a 10 x 10 grid that survives a clear.
    EXPECT_EQ(f.plot->point(5, 5), colours::PlotBackground);
    EXPECT_EQ(f.plot->point(64, 5), colours::Grid);
    EXPECT_EQ(f.plot->point(5, 20), colours::Grid);
    EXPECT_EQ(f.plot->point(576, 180), colours::Grid);
    EXPECT_EQ(f.plot->point(5, 0), colours::PlotBackground) << "no line at k = 0";
    f.plot->setPersistent(true);
    f.plot->setPixel(5, 5, colours::White);
    f.plot->clear();
    EXPECT_EQ(f.plot->point(64, 5), colours::Grid);
    EXPECT_EQ(f.plot->point(5, 5), colours::PlotBackground);
}

TEST(DrawPlotFrame, VerticalCurveWindowScales)
{
    AnalysisState state;
    state.view.AxisStart = -240;
    Frame f = makeFrame(345, 564, 200, 480, 100, 20);
    int spanX = 100, spanY = 480;
    plotting::DrawPlotFrame(state.view.AxisStart, *f.plot, *f.window, spanX, spanY, 2, 8, "11001", true);
    // The wide negative labels of the upper half reach over the major ticks; the lower half has
    // its 6 major ticks clear (rows T + 240 .. T + 480).
    EXPECT_EQ(lightInColumn(*f.window, f.L - 6, f.T + 236, f.T + f.H + 5), 6);
    EXPECT_EQ(lightInColumn(*f.window, f.L - 3, f.T - 5, f.T + f.H + 5), 81);
    EXPECT_EQ(lightInRow(*f.window, f.T + f.H + 6, f.L - 5, f.L + f.W + 5), 11);
    EXPECT_EQ(lightInRow(*f.window, f.T + f.H + 3, f.L - 5, f.L + f.W + 5), 21);

    const double leftX = f.L - f.window->textWidth("480") - 7;
    const double half = halfTextHeight(*f.window);
    EXPECT_TRUE(hasLabel(*f.window, "-240", leftX, f.T - half));
    EXPECT_TRUE(hasLabel(*f.window, "-192", leftX, f.T + 48 - half));
    EXPECT_TRUE(hasLabel(*f.window, "0", leftX, f.T + 240 - half));
    EXPECT_TRUE(hasLabel(*f.window, "240", leftX, f.T + 480 - half));
    EXPECT_TRUE(hasLabel(*f.window, "0", f.L - f.window->textWidth("0") / 2.0, f.T + f.H + 9));
    EXPECT_TRUE(hasLabel(*f.window, "50", f.L + 100 - f.window->textWidth("50") / 2.0, f.T + f.H + 9));
    EXPECT_TRUE(hasLabel(*f.window, "100", f.L + 200 - f.window->textWidth("100") / 2.0, f.T + f.H + 9));
    EXPECT_EQ(f.plot->point(20, 5), colours::Grid);
    EXPECT_EQ(f.plot->point(5, 48), colours::Grid);
}

TEST(DrawPlotFrame, WorkspaceRulersAndTheHalvedSpans)
{
    AnalysisState state; // AxisStart 0
    Frame f = makeFrame(711, 540, 640, 480, 28, 28);
    int spanX = 640, spanY = 480;
    plotting::DrawPlotFrame(state.view.AxisStart, *f.plot, *f.window, spanX, spanY, 8, 8, "10011", false);
    EXPECT_EQ(spanX, 320) << "the top scale halves the caller's span x";
    EXPECT_EQ(spanY, 480);
    // Top: 11 major (to T-8), 81 minor (to T-5).
    EXPECT_EQ(lightInRow(*f.window, f.T - 6, f.L - 5, f.L + f.W + 5), 11);
    EXPECT_EQ(lightInRow(*f.window, f.T - 3, f.L - 5, f.L + f.W + 5), 81);
    EXPECT_EQ(f.window->point(f.L + 64, f.T - 6), colours::EngraveLight);
    EXPECT_EQ(f.window->point(f.L + 63, f.T - 6), colours::EngraveDark);
    const double topY = f.T - f.window->textHeight("100") - 7;
    EXPECT_TRUE(hasLabel(*f.window, "0", f.L - f.window->textWidth("0") / 2.0, topY));
    EXPECT_TRUE(hasLabel(*f.window, "64", f.L + 64 - f.window->textWidth("64") / 2.0, topY));
    EXPECT_TRUE(hasLabel(*f.window, "640", f.L + 640 - f.window->textWidth("640") / 2.0, topY));
    const double leftX = f.L - f.window->textWidth("480") - 7;
    const double half = halfTextHeight(*f.window);
    EXPECT_TRUE(hasLabel(*f.window, "0", leftX, f.T - half));
    EXPECT_TRUE(hasLabel(*f.window, "48", leftX, f.T + 48 - half));
    EXPECT_TRUE(hasLabel(*f.window, "480", leftX, f.T + 480 - half));
    EXPECT_EQ(f.plot->point(64, 48), colours::PlotBackground) << "no grid for the workspace";

    int spanX2 = 640, spanY2 = 480;
    plotting::DrawPlotFrame(state.view.AxisStart, *f.plot, *f.window, spanX2, spanY2, 8, 8, "01101", false);
    EXPECT_EQ(spanX2, 640);
    EXPECT_EQ(spanY2, 240) << "the right scale halves the caller's span y";
    EXPECT_EQ(lightInColumn(*f.window, f.L + f.W + 7, f.T - 5, f.T + f.H + 5), 11);
    EXPECT_EQ(lightInColumn(*f.window, f.L + f.W + 3, f.T - 5, f.T + f.H + 5), 81);
    EXPECT_EQ(lightInRow(*f.window, f.T + f.H + 6, f.L - 5, f.L + f.W + 5), 11);
    EXPECT_TRUE(hasLabel(*f.window, "240", f.L + f.W + 10, f.T + f.H - half));
    EXPECT_TRUE(hasLabel(*f.window, "0", f.L + f.W + 10, f.T + 240 - half));
    EXPECT_TRUE(hasLabel(*f.window, "-240", f.L + f.W + 10, f.T - half));
    EXPECT_TRUE(hasLabel(*f.window, "640", f.L + 640 - f.window->textWidth("640") / 2.0, f.T + f.H + 9));
}

TEST(DrawPlotFrame, WorkspaceRulersReadThePlacedPicturesOwnPixels)
{
    AnalysisState state;
    // Centred on a beam: the picture pixel at raster (0, 0) is (580, 460).
    PicturePlacement beam = choosePlacement(PlacementMode::Beam, 1280, 960, std::make_pair(900.0, 700.0));
    ASSERT_EQ(beam.offsetX, 580);
    ASSERT_EQ(beam.offsetY, 460);
    Frame f = makeFrame(711, 540, 640, 480, 28, 28);
    int spanX = 640, spanY = 480;
    plotting::DrawPlotFrame(state.view.AxisStart, *f.plot, *f.window, spanX, spanY, 8, 8, "10011", false, &beam);
    spanX = 640, spanY = 480;
    plotting::DrawPlotFrame(state.view.AxisStart, *f.plot, *f.window, spanX, spanY, 8, 8, "01101", false, &beam);
    const double topY = f.T - f.window->textHeight("100") - 7;
    const double half = halfTextHeight(*f.window);
    const double leftX = f.L - f.window->textWidth("940") - 7;
    EXPECT_TRUE(hasLabel(*f.window, "580", f.L - f.window->textWidth("580") / 2.0, topY));
    EXPECT_TRUE(hasLabel(*f.window, "1220", f.L + 640 - f.window->textWidth("1220") / 2.0, topY));
    EXPECT_TRUE(hasLabel(*f.window, "644", f.L + 64 - f.window->textWidth("644") / 2.0, f.T + f.H + 9));
    EXPECT_TRUE(hasLabel(*f.window, "460", leftX, f.T - half));
    EXPECT_TRUE(hasLabel(*f.window, "940", leftX, f.T + 480 - half));
    EXPECT_TRUE(hasLabel(*f.window, "240", f.L + f.W + 10, f.T + f.H - half));
    EXPECT_FALSE(hasLabel(*f.window, "64", f.L + 64 - f.window->textWidth("64") / 2.0, topY));

    // Scaled to fit 2048 x 1536: one raster pixel is 3.2 picture pixels.
    const PicturePlacement fit = choosePlacement(PlacementMode::Fit, 2048, 1536);
    ASSERT_DOUBLE_EQ(fit.scale, 0.3125);
    Frame g = makeFrame(711, 540, 640, 480, 28, 28);
    spanX = 640, spanY = 480;
    plotting::DrawPlotFrame(state.view.AxisStart, *g.plot, *g.window, spanX, spanY, 8, 8, "10011", false, &fit);
    spanX = 640, spanY = 480;
    plotting::DrawPlotFrame(state.view.AxisStart, *g.plot, *g.window, spanX, spanY, 8, 8, "01101", false, &fit);
    const double gLeftX = g.L - g.window->textWidth("1536") - 7;
    EXPECT_TRUE(hasLabel(*g.window, "2048", g.L + 640 - g.window->textWidth("2048") / 2.0, topY));
    EXPECT_TRUE(hasLabel(*g.window, "205", g.L + 64 - g.window->textWidth("205") / 2.0, topY)); // 204.8
    EXPECT_TRUE(hasLabel(*g.window, "1536", gLeftX, g.T + 480 - half));
    EXPECT_TRUE(hasLabel(*g.window, "-768", g.L + g.W + 10, g.T - half));
}

TEST(DrawPlotFrame, HalvingRoundsTiesToEvenAndLeavesSmallSpans)
{
    AnalysisState state;
    for (auto [span, halved] : {std::pair{101, 50}, {103, 52}, {150, 75}, {100, 100}, {64, 64}, {481, 240}}) {
        Frame f = makeFrame(300, 300, 100, 100, 50, 50);
        int spanX = span, spanY = span;
        plotting::DrawPlotFrame(state.view.AxisStart, *f.plot, *f.window, spanX, spanY, 1, 1, "00111", false);
        EXPECT_EQ(spanX, halved) << span;
        EXPECT_EQ(spanY, halved) << span;
    }
}

TEST(DrawPlotFrame, ZeroSubdivisionsKeepMajorTicksAndLabels)
{
    AnalysisState state;
    state.view.AxisStart = -320;
    Frame f = makeFrame(710, 330, 640, 200, 33, 60);
    int spanX = 640, spanY = 100;
    plotting::DrawPlotFrame(state.view.AxisStart, *f.plot, *f.window, spanX, spanY, 0, 0, "11001", false);
    EXPECT_EQ(lightInColumn(*f.window, f.L - 3, f.T - 5, f.T + f.H + 5), 11);
    EXPECT_EQ(lightInRow(*f.window, f.T + f.H + 3, f.L - 5, f.L + f.W + 5), 11);
    EXPECT_TRUE(hasLabel(*f.window, "320", f.L + 640 - f.window->textWidth("320") / 2.0, f.T + f.H + 9));
}

TEST(DrawPlotFrame, MasterSwitchOffDrawsOnlyTheBackground)
{
    AnalysisState state;
    Frame f = makeFrame(710, 330, 640, 200, 33, 60);
    f.plot->setPixel(3, 3, colours::White);
    const QImage before = f.window->image().copy();
    int spanX = 640, spanY = 480;
    plotting::DrawPlotFrame(state.view.AxisStart, *f.plot, *f.window, spanX, spanY, 8, 8, "11110", true);
    EXPECT_EQ(f.window->image(), before);
    EXPECT_EQ(spanX, 640);
    EXPECT_EQ(spanY, 480);
    EXPECT_EQ(f.plot->point(3, 3), colours::PlotBackground);
    EXPECT_EQ(f.plot->point(64, 20), colours::PlotBackground);
    EXPECT_TRUE(f.window->persistent());
}

TEST(DrawPlotFrame, EmptySpanStillDrawsTenDivisions)
{
    // After the workspace closes the axis span is 0; a refresh must not divide by it.
    AnalysisState state;
    Frame f = makeFrame(710, 330, 640, 200, 33, 60);
    int spanX = 0, spanY = 100;
    plotting::DrawPlotFrame(state.view.AxisStart, *f.plot, *f.window, spanX, spanY, 8, 2, "11001", true);
    EXPECT_EQ(lightInRow(*f.window, f.T + f.H + 6, f.L - 5, f.L + f.W + 5), 11);
}
