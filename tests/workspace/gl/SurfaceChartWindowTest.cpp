// The 3D surface window with a real OpenGL context (Xvfb, xcb platform).
#include "workspace/surface3d/SurfaceChartWindow.h"
#include "workspace/surface3d/ColourLegend.h"
#include "analysis/AnalysisState.h"
#include "types/ProgressWindows.h"
#include "analysis/picture/RegionGrid.h"
#include "platform/ports/AppContext.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/workbook/ScriptedWorkbookService.h"
#include "platform/ports/Services.h"

#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QSurfaceDataProxy>
#include <QtDataVisualization/QValue3DAxis>

#include <QApplication>
#include <QImageReader>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <memory>

namespace lumetra::test {
namespace {

// Mesa unloads its OpenGL driver when the last context goes, before the leak check at exit runs;
// the driver's own allocations then come from an unknown module and escape the suppression
// file's driver entries. Keeping every loaded driver mapped lets them be matched by name.
void keepOpenGlDriversLoaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *) -> int {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

class SurfaceChartWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        services.dialogs = &dialogs;
        services.workbook = &workbook;
        context =
            std::make_unique<AppContext>(AppContext{services, progress, nullptr, nullptr, {}, {}});
        // A spot: bright in the middle of the picture, falling off to the edges.
        for (int y = 1; y < 480; ++y)
            for (int x = 1; x < 640; ++x)
                state->picture.GreyMap(x, y) = static_cast<int>(
                    255 * std::exp(-((x - 320.0) * (x - 320.0) + (y - 240.0) * (y - 240.0)) / 8000));
        state->picture.GreyMin = 1;
        state->picture.GreyMax = 255;
        grid = computeRegionGrid(state->picture, {220, 150, 420, 330}, 6);
    }

    void TearDown() override
    {
        keepOpenGlDriversLoaded();
        QApplication::closeAllWindows();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    SurfaceChartWindow *openChart()
    {
        SurfaceChartWindow *window = SurfaceChartWindow::open(*context, grid);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return window;
    }

    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    ScriptedDialogs dialogs;
    ScriptedWorkbookService workbook;
    Services services;
    SilentProgress progress;
    std::unique_ptr<AppContext> context;
    RegionGrid grid;
    QTemporaryDir dir;
};

TEST_F(SurfaceChartWindowTest, ShowsTheGridAsASurfaceWithTheChartSettings)
{
    ASSERT_FALSE(grid.isEmpty());
    SurfaceChartWindow *window = openChart();
    ASSERT_TRUE(window->hasChart()) << "no OpenGL context under Xvfb";
    EXPECT_TRUE(dialogs.messages.isEmpty());
    Q3DSurface *graph = window->graph();

    ASSERT_EQ(graph->seriesList().size(), 1);
    QSurfaceDataProxy *proxy = graph->seriesList()[0]->dataProxy();
    // Over the picture's coordinates: a data row per picture row, running along its columns.
    ASSERT_EQ(proxy->rowCount(), grid.columns());
    ASSERT_EQ(proxy->columnCount(), grid.rows());
    for (const auto &[r, c] : {std::pair{1, 1}, std::pair{grid.rows() / 2, grid.columns() / 2},
                               std::pair{grid.rows(), grid.columns()}}) {
        const QSurfaceDataItem *item = proxy->itemAt(c - 1, r - 1);
        EXPECT_FLOAT_EQ(item->y(), static_cast<float>(grid.cell(r, c))) << r << "," << c;
        EXPECT_FLOAT_EQ(item->x(), static_cast<float>(220 + 6 * (r - 1)));
        EXPECT_FLOAT_EQ(item->z(), static_cast<float>(150 + 6 * (c - 1)));
    }

    // Elevation 45, rotation 30, perspective, height 30 % of the width, value range fitted.
    EXPECT_FLOAT_EQ(graph->scene()->activeCamera()->yRotation(), 45.0f);
    EXPECT_FLOAT_EQ(graph->scene()->activeCamera()->xRotation(), 30.0f);
    EXPECT_FALSE(graph->isOrthoProjection());
    EXPECT_NEAR(graph->aspectRatio(), 100.0 / 30.0, 1e-9);
    EXPECT_TRUE(graph->axisY()->isAutoAdjustRange());
    // Every axis is named and labelled.
    const std::pair<QValue3DAxis *, QString> axes[] = {
        {graph->axisX(), "列"}, {graph->axisZ(), "行"}, {graph->axisY(), "光强 %"}};
    for (const auto &[axis, title] : axes) {
        EXPECT_EQ(axis->title(), title);
        EXPECT_TRUE(axis->isTitleVisible()) << title.toStdString();
        EXPECT_FALSE(axis->labelFormat().trimmed().isEmpty()) << title.toStdString();
    }
    // The colour key spans the grid's values, highest on top.
    ASSERT_NE(window->legend(), nullptr);
    EXPECT_TRUE(window->legend()->isVisible());
    EXPECT_EQ(window->legend()->tickValues().front(), grid.maximum());
    EXPECT_EQ(window->legend()->tickValues().back(), grid.minimum());
    EXPECT_TRUE(window->windowTitle().endsWith("区域 " + grid.range()));
    EXPECT_TRUE(window->rangeText().startsWith("区域 " + grid.range()));
    EXPECT_EQ(graph->seriesList()[0]->colorStyle(), Q3DTheme::ColorStyleRangeGradient);
    EXPECT_GE(graph->seriesList()[0]->baseGradient().stops().size(), 3);
}

TEST_F(SurfaceChartWindowTest, TheViewRendersAndSavesAsPng)
{
    SurfaceChartWindow *window = openChart();
    ASSERT_TRUE(window->hasChart());
    EXPECT_TRUE(window->pictureButton()->isEnabled());
    const QImage view = window->renderView();
    ASSERT_FALSE(view.isNull());
    // A surface in gradient colours, not an empty scene: many distinct colours.
    QSet<QRgb> colours;
    for (int y = 0; y < view.height(); y += 4)
        for (int x = 0; x < view.width(); x += 4)
            colours.insert(view.pixel(x, y));
    EXPECT_GT(colours.size(), 50);
    // The colour key stands beside the surface, which is drawn whole: the picture's outermost
    // pixels are background, no part of the surface reaches them.
    const QImage key = window->legend()->grab().toImage();
    EXPECT_EQ(view.width(), window->graph()->width() + key.width());
    EXPECT_EQ(view.copy(view.width() - key.width(), (view.height() - key.height()) / 2, key.width(), key.height()),
              key.convertToFormat(view.format()));
    const int surfaceWidth = view.width() - key.width();
    const QRgb corner = view.pixel(0, view.height() - 1);
    for (int x = 0; x < surfaceWidth; ++x)
        EXPECT_EQ(view.pixel(x, view.height() - 1), corner) << "bottom edge at " << x;
    for (int y = 0; y < view.height(); ++y) {
        EXPECT_EQ(view.pixel(0, y), corner) << "left edge at " << y;
        EXPECT_EQ(view.pixel(surfaceWidth - 1, y), corner) << "right edge at " << y;
    }
    if (const QByteArray shots = qgetenv("LUMETRA_SCREENSHOTS"); !shots.isEmpty())
        view.save(QString::fromLocal8Bit(shots) + QStringLiteral("/3d-saved.png"));
    // On screen too the surface and its axis labels lie whole inside the view.
    const QImage screen = window->graph()->renderToImage(0, window->graph()->size());
    ASSERT_FALSE(screen.isNull());
    const QRgb background = screen.pixel(0, 0);
    for (int x = 0; x < screen.width(); ++x)
        EXPECT_EQ(screen.pixel(x, screen.height() - 1), background) << "on screen, bottom edge at " << x;

    const QString file = dir.filePath(QStringLiteral("view.png"));
    dialogs.fileAnswers = {file};
    QTest::mouseClick(window->pictureButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs.saveRequests.size(), 1);
    EXPECT_EQ(dialogs.saveRequests[0].defaultSuffix, QStringLiteral("png"));
    QImageReader reader(file);
    EXPECT_EQ(reader.format(), QByteArray("png"));
    EXPECT_EQ(reader.size(), view.size());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SurfaceChartWindowTest, EveryChartHasItsOwnWindow)
{
    SurfaceChartWindow *first = openChart();
    grid = computeRegionGrid(state->picture, {100, 100, 200, 200}, 10);
    SurfaceChartWindow *second = openChart();
    EXPECT_NE(first, second);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(first->grid().range(), QStringLiteral("A1:AE34"));
    EXPECT_EQ(second->grid().range(), QStringLiteral("A1:K11"));
    EXPECT_TRUE(first->windowTitle().contains(QStringLiteral("A1:AE34")));
}

} // namespace
} // namespace lumetra::test

namespace lumetra::test {
namespace {

TEST_F(SurfaceChartWindowTest, AxesReadThePicturesPixelsOfAPlacedPicture)
{
    // The raster shows a picture fitted at a quarter of its size, its pixel (100, 50) at the origin.
    grid.setPictureMapping(100, 50, 0.25);
    SurfaceChartWindow *window = openChart();
    ASSERT_TRUE(window->hasChart());
    QSurfaceDataProxy *proxy = window->graph()->seriesList()[0]->dataProxy();
    for (const int r : {1, grid.rows()}) {
        const QSurfaceDataItem *item = proxy->itemAt(0, r - 1);
        EXPECT_FLOAT_EQ(item->x(), static_cast<float>(100 + (220 + 6 * (r - 1)) / 0.25));
        EXPECT_FLOAT_EQ(item->z(), static_cast<float>(50 + 150 / 0.25));
    }
    EXPECT_TRUE(window->rangeText().contains(QStringLiteral("图像第 980–")))
        << window->rangeText().toStdString();
}

} // namespace
} // namespace lumetra::test
