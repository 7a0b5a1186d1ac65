#include "workspace/surface3d/SurfaceGraph.h"

#include "analysis/picture/RegionGrid.h"

#include <QCoreApplication>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QSurfaceDataProxy>
#include <QtDataVisualization/QValue3DAxis>

#include <QLinearGradient>

#include <memory>

namespace lumetra::surface_graph {

namespace {

// Dense grids look better without the wire mesh over them.
constexpr int WireframeLimit = 60;

void nameAxis(QValue3DAxis *axis, const QString &title)
{
    axis->setTitle(title);
    axis->setTitleVisible(true);
    axis->setLabelFormat(QStringLiteral("%d"));
}

} // namespace

QLinearGradient heightColours()
{
    QLinearGradient gradient;
    gradient.setColorAt(0.0, QColor(0, 0, 140));
    gradient.setColorAt(0.25, QColor(0, 120, 255));
    gradient.setColorAt(0.5, QColor(0, 200, 90));
    gradient.setColorAt(0.75, QColor(255, 220, 0));
    gradient.setColorAt(1.0, QColor(220, 20, 0));
    return gradient;
}

namespace {

QSurfaceDataArray *surfaceData(const RegionGrid &grid)
{
    // One data row per picture row (grid column), running along the picture's columns.
    auto *rows = new QSurfaceDataArray;
    rows->reserve(grid.columns());
    for (int c = 1; c <= grid.columns(); ++c) {
        auto *row = new QSurfaceDataRow(grid.rows());
        for (int r = 1; r <= grid.rows(); ++r)
            (*row)[r - 1].setPosition(QVector3D(static_cast<float>(grid.pictureX(r)),
                                                static_cast<float>(grid.cell(r, c)),
                                                static_cast<float>(grid.pictureY(c))));
        rows->append(row);
    }
    return rows;
}

} // namespace

Q3DSurface *create(const RegionGrid &grid)
{
    auto graph = std::make_unique<Q3DSurface>();
    if (!graph->hasContext())
        return nullptr;

    nameAxis(graph->axisX(), QCoreApplication::translate("SurfaceGraph", "列"));
    nameAxis(graph->axisZ(), QCoreApplication::translate("SurfaceGraph", "行"));
    // Picture rows count downwards: the first row of the region stands at the back.
    graph->axisZ()->setReversed(true);
    nameAxis(graph->axisY(), QCoreApplication::translate("SurfaceGraph", "光强 %"));
    graph->axisY()->setAutoAdjustRange(true);

    graph->setOrthoProjection(false);
    graph->scene()->activeCamera()->setCameraPosition(Rotation, Elevation);
    graph->setAspectRatio(100.0 / HeightPercent);
    graph->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
    graph->setSelectionMode(QAbstract3DGraph::SelectionItem);
    graph->activeTheme()->setType(Q3DTheme::ThemeQt);
    graph->activeTheme()->setLabelBackgroundEnabled(false);
    // Softer light: strong highlights would read as bright spots of the beam.
    graph->activeTheme()->setLightStrength(2.5f);
    graph->activeTheme()->setAmbientLightStrength(0.45f);

    auto *series = new QSurface3DSeries;
    series->dataProxy()->resetArray(surfaceData(grid));
    series->setBaseGradient(heightColours());
    series->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
    series->setFlatShadingEnabled(false);
    series->setDrawMode(grid.rows() <= WireframeLimit && grid.columns() <= WireframeLimit
                            ? QSurface3DSeries::DrawSurfaceAndWireframe
                            : QSurface3DSeries::DrawSurface);
    series->setItemLabelFormat(QStringLiteral("@yLabel"));
    graph->addSeries(series);
    return graph.release();
}

} // namespace lumetra::surface_graph
