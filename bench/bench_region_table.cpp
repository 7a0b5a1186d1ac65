// The 3D region grid and the table export, each with and without writing its workbook.
#include "analysis/AnalysisState.h"
#include "analysis/curves/ProfileAnalysis.h"
#include "analysis/picture/Sampling.h"
#include "analysis/picture/RegionGrid.h"
#include "analysis/picture/TableExport.h"
#include "platform/workbook/XlsxWorkbookService.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

using namespace lumetra;

// A sampled light spot with a little noise, as after the workspace has read its picture.
std::unique_ptr<AnalysisState> sampledSpot()
{
    auto state = std::make_unique<AnalysisState>();
    for (int y = 1; y < 480; ++y)
        for (int x = 1; x < 640; ++x) {
            const double r2 = (x - 330.0) * (x - 330.0) + (y - 250.0) * (y - 250.0);
            state->picture.GreyMap(x, y) = 20 + static_cast<int>(220 * std::exp(-r2 / 16200.0)) + (x * 7 + y * 3) % 5;
        }
    state->picture.ImageWidth = 640;
    state->picture.ImageHeight = 480;
    sampling::ScanGreyRange(state->picture);
    return state;
}

// A drag over the whole picture, limited as the release limits it.
const RegionCorners FullPicture = limitRegion(normaliseRegion({0, 0, 639, 479}));

void BM_RegionGridFullPictureFactor2(benchmark::State &bench)
{
    const auto state = sampledSpot();
    for (auto _ : bench) {
        RegionGrid grid = computeRegionGrid(state->picture, FullPicture, 2);
        benchmark::DoNotOptimize(grid);
    }
    const RegionGrid grid = computeRegionGrid(state->picture, FullPicture, 2);
    bench.counters["cells"] = grid.rows() * grid.columns();
}
BENCHMARK(BM_RegionGridFullPictureFactor2)->Unit(benchmark::kMillisecond);

void BM_RegionGridFullPictureFactor2Workbook(benchmark::State &bench)
{
    const auto state = sampledSpot();
    QTemporaryDir dir;
    XlsxWorkbookService writer;
    const QString path = dir.filePath(QStringLiteral("grid.xlsx"));
    for (auto _ : bench) {
        const RegionGrid grid = computeRegionGrid(state->picture, FullPicture, 2);
        if (!writer.save(grid.toSheet(), path))
            bench.SkipWithError("the workbook was not written");
    }
}
BENCHMARK(BM_RegionGridFullPictureFactor2Workbook)->Unit(benchmark::kMillisecond);

// "制表" of a horizontal cut after its dialog: the grey range and profile brought up to date,
// the table laid out and the workbook written.
void tableExport(benchmark::State &bench, int orientation)
{
    auto state = sampledSpot();
    state->cut.CutOrientation = static_cast<int16_t>(orientation);
    state->cut.Active = true;
    state->cut.CutPosition = orientation == 1 ? 250 : 330;
    state->cut.IntegrationWidth = 5;
    QTemporaryDir dir;
    XlsxWorkbookService writer;
    const QString path = dir.filePath(QStringLiteral("table.xlsx"));
    for (auto _ : bench) {
        sampling::ScanGreyRange(state->picture);
        profile::AnalyseProfile(*state);
        profile::FindProfileMax(*state);
        profile::FindProfileMin(*state);
        if (!writer.save(buildCutTable(*state, TableMode::Face), path))
            bench.SkipWithError("the workbook was not written");
    }
}

void BM_TableExportHorizontal(benchmark::State &bench)
{
    tableExport(bench, 1);
}
BENCHMARK(BM_TableExportHorizontal)->Unit(benchmark::kMillisecond);

void BM_TableExportVertical(benchmark::State &bench)
{
    tableExport(bench, 2);
}
BENCHMARK(BM_TableExportVertical)->Unit(benchmark::kMillisecond);

} // namespace
