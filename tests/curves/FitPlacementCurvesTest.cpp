// A picture larger than the raster fitted onto it (缩放): the curve window's widths, positions,
// table and µm readouts are in the picture's own pixels, and the raster beyond the picture is no
// data.
#include "CurveFixture.h"

#include "analysis/NumberText.h"
#include "curves/CurveValues.h"
#include "curves/CurveWidthReadout.h"
#include "platform/settings/Calibration.h"
#include "platform/settings/PlacementSetting.h"
#include "support/FrameImage.h"
#include "support/SyntheticBeam.h"
#include "workspace/placement/PlacementBar.h"

#include <QAbstractButton>
#include <QLabel>

namespace lumetra::test {
namespace {

using lumetra::testing::hasLabel;

class FitPlacementCurves : public CurveFixture
{
protected:
    void SetUp() override
    {
        CurveFixture::SetUp();
        setPlacementSettingsFile(QDir(dir.path()).filePath(QStringLiteral("lumetra.ini")));
        context->calibrationFile = QDir(dir.path()).filePath(QStringLiteral("lumetra.ini"));
    }
    void TearDown() override
    {
        CurveFixture::TearDown();
        setPlacementSettingsFile(QString());
    }
};

TEST_F(FitPlacementCurves, WidthsPositionsAndTableOfA2048FrameAreInPicturePixels)
{
    // A 2048 x 2048 camera frame with a beam 900 px across at 1/e² (its D4σ).
    Scene scene;
    scene.width = scene.height = 2048;
    scene.noise = 1;
    scene.spots = {Spot{SpotShape::Gaussian, 1000, 1100, 900, 900, 0, 200}};
    const QString file = QDir(dir.path()).filePath(QStringLiteral("big.png"));
    ASSERT_TRUE(frameImage(makeFrame(scene).frame).save(file, "PNG"));
    state->picture.ImagePath = file;
    WorkspaceWindow *ws = WorkspaceWindow::showWorkspace(*context, *state, state->picture.ImagePath);
    ASSERT_NE(ws, nullptr);
    ws->placementBar()->button(PlacementMode::Fit)->click();
    const double scale = ws->placement().scale;
    ASSERT_NEAR(scale, 480.0 / 2048, 1e-9);
    const int extent = int(std::lround(2048 * scale)); // raster columns holding the picture

    ws->menuItem(QStringLiteral("horizontalCurve"))->trigger();
    CurveWindow *w = CurveWindow::openWindow(*context);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(ws->moveCutTo(1100 * scale));
    // The cut label names the picture's row.
    EXPECT_EQ(w->cutLabel(), QStringLiteral("对应像素点：") +
                                 CurveValues::shortestNumber(std::round(state->cut.CutPosition / scale * 10) / 10));

    // The widths: the raster's, read in picture pixels.
    const CurveWidthReadout &widths = w->widthReadout();
    const double e2 = widths.rawWidths().e2.width().value() / scale;
    EXPECT_NEAR(e2, 900, 0.04 * 900);
    std::printf("fit placement widths: %s\n", qPrintable(widths.label()->text()));
    const QString line = widths.label()->text();
    EXPECT_TRUE(line.contains(CurveWidthReadout::widthText(e2, Calibration{}))) << line.toStdString();
    ASSERT_TRUE(saveCalibration({5.5, 1.0}, context->calibrationFile));
    w->calibrationChanged();
    EXPECT_TRUE(widths.label()->text().contains(formatLength(e2 * 5.5))) << widths.label()->text().toStdString();

    // The plot's position scale reads picture pixels from the raster's centre, as the table does.
    const PictureSurface &plotArea = w->plot();
    for (int k : {0, 3, 5, 10}) {
        const QString text = numberText(std::nearbyint((64 * k - 320) / scale));
        EXPECT_TRUE(hasLabel(w->windowSurface(), text,
                             plotArea.left() + 2 + plotArea.width() * k / 10.0 - w->windowSurface().textWidth(text) / 2.0,
                             plotArea.top() + 2 + plotArea.height() + 9));
    }
    // The analysed curve's smoothing, 2 N + 1 raster samples, said in picture pixels.
    const auto smoothing = [&](double rasterPerPixel) {
        const double pixels = (2 * state->cut.IntegrationWidth + 1) / rasterPerPixel;
        return QStringLiteral("分析曲线平滑 %1 像素").arg(numberText(std::round(pixels * 10) / 10));
    };
    ASSERT_GT(state->cut.IntegrationWidth, 0);
    EXPECT_TRUE(line.contains(smoothing(scale))) << line.toStdString();

    // No curve beyond the picture: the grey strip is not plotted as intensity.
    const QImage plot = w->plot().image();
    for (int x = extent + 1; x < plot.width(); ++x)
        for (int y = 0; y < plot.height(); ++y)
            ASSERT_NE(QColor(plot.pixel(x, y)), QColor(255, 255, 0)) << x << "," << y;

    // The crosshair's position and the table's rows in picture pixels, the table ending with it.
    moveTo(w, 200, 100);
    EXPECT_EQ(w->positionReadout()->text().section(u' ', 0, 0),
              CurveValues::shortestNumber((200 + state->view.AxisStart) / scale));
    const IntensityTableWindow *table = IntensityTableWindow::instance(*context);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), extent - 1);
    EXPECT_EQ(table->text(1, 0), CurveValues::shortestNumber((1 - 320) / scale));

    // Back to the top-left placement: one raster pixel is one picture pixel again.
    ws->placementBar()->button(PlacementMode::TopLeft)->click();
    EXPECT_EQ(state->picture.PictureScale, 1.0);
    EXPECT_EQ(state->picture.PictureExtentX, 640);
    EXPECT_TRUE(widths.label()->text().contains(smoothing(1.0))) << widths.label()->text().toStdString();
    EXPECT_TRUE(hasLabel(w->windowSurface(), QStringLiteral("-320"),
                         plotArea.left() + 2 - w->windowSurface().textWidth(QStringLiteral("-320")) / 2.0,
                         plotArea.top() + 2 + plotArea.height() + 9));
}

// The table follows every change of placement, positions and values: after each it reads as the
// table of a curve window opened in that placement.
TEST_F(FitPlacementCurves, TheTableFollowsEveryPlacement)
{
    Scene scene;
    scene.width = scene.height = 2048;
    scene.noise = 1;
    scene.spots = {Spot{SpotShape::Gaussian, 1300, 1100, 700, 600, 0, 200}};
    const QString file = QDir(dir.path()).filePath(QStringLiteral("big.png"));
    ASSERT_TRUE(frameImage(makeFrame(scene).frame).save(file, "PNG"));
    state->picture.ImagePath = file;
    WorkspaceWindow *ws = WorkspaceWindow::showWorkspace(*context, *state, state->picture.ImagePath);
    ASSERT_NE(ws, nullptr);
    const auto rows = [this] {
        QStringList all;
        const IntensityTableWindow *table = IntensityTableWindow::instance(*context);
        for (int row = 1; table && row <= table->rowCount(); ++row)
            all << table->text(row, 0) + u'/' + table->text(row, 1) + u'/' + table->text(row, 2);
        return all;
    };
    const auto openedIn = [&](PlacementMode mode) {
        if (CurveWindow *open = CurveWindow::openWindow(*context))
            open->close();
        ws->placementBar()->button(mode)->click();
        ws->menuItem(QStringLiteral("horizontalCurve"))->trigger();
        EXPECT_TRUE(ws->moveCutTo(240));
        return rows();
    };
    const QStringList fit = openedIn(PlacementMode::Fit), beam = openedIn(PlacementMode::Beam),
                      topLeft = openedIn(PlacementMode::TopLeft);
    ASSERT_NE(fit.size(), topLeft.size());
    ASSERT_NE(beam, topLeft);

    openedIn(PlacementMode::Fit);
    for (const auto &[mode, expected] : {std::pair{PlacementMode::Beam, beam}, std::pair{PlacementMode::TopLeft, topLeft},
                                         std::pair{PlacementMode::Fit, fit}}) {
        ws->placementBar()->button(mode)->click();
        ASSERT_TRUE(ws->moveCutTo(240));
        const QStringList now = rows();
        ASSERT_EQ(now.size(), expected.size()) << int(mode);
        EXPECT_EQ(now.first(), expected.first()) << int(mode);
        EXPECT_EQ(now, expected) << int(mode);
    }
}

} // namespace
} // namespace lumetra::test
