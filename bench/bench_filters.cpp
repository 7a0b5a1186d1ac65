// The image filters on the 640 x 480 workspace picture. "Computation" is the fresh colour
// snapshot plus every output row, as a filter command computes them. "OnPicture" adds writing
// the rows onto the picture surface; "OnScreen" is the whole menu command on an open workspace,
// with the Waiting window and one repaint per row.
#include "analysis/AnalysisState.h"
#include "analysis/picture/ImageFilterRun.h"
#include "analysis/picture/ImageFilters.h"
#include "analysis/picture/Sampling.h"
#include "types/ProgressWindows.h"
#include "app/progress/WindowProgress.h"
#include "platform/ports/AppContext.h"
#include "surface/PictureSurface.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/ports/Services.h"
#include "workspace/FilterCommands.h"
#include "workspace/WorkspaceWindow.h"
#include "workspace/WorkspaceOpener.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "support/BenchPictures.h"
#include "support/BenchWorkspace.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace lumetra;

namespace {

constexpr int W = 640;
constexpr int H = 480;

struct Fixture
{
    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    PictureSurface picture{W, H};
    SilentProgress progress;
    FilterRandom random{42};
    std::vector<Colour> output = std::vector<Colour>(static_cast<size_t>(W) * H);

    Fixture()
    {
        picture.setBackColour(rgb(70, 70, 70));
        picture.setPicture(lumetra::bench::beamPicture());
        state->picture.ImageWidth = W;
        state->picture.ImageHeight = H;
    }

    void compute(ImageFilter filter)
    {
        sampling::ReadColours(state->picture, picture, progress);
        const FilterArea area = filterArea(filter, W, H);
        for (int y = area.firstRow; y <= area.lastRow; ++y)
            filterRow(filter, state->picture.ColourStore, area, y, random,
                      std::span<Colour>(output).subspan(static_cast<size_t>(y) * W + area.firstColumn,
                                                        static_cast<size_t>(area.columns())));
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
};

void BM_FilterComputation(benchmark::State &bench, ImageFilter filter)
{
    Fixture f;
    for (auto _ : bench)
        f.compute(filter);
    bench.SetItemsProcessed(bench.iterations() * W * H);
}

void BM_SnapshotOnly(benchmark::State &bench)
{
    Fixture f;
    for (auto _ : bench) {
        sampling::ReadColours(f.state->picture, f.picture, f.progress);
        benchmark::ClobberMemory();
    }
}

void BM_FilterOnPicture(benchmark::State &bench, ImageFilter filter)
{
    Fixture f;
    for (auto _ : bench)
        applyImageFilter(filter, *f.state, f.picture, f.progress, f.random);
    bench.SetItemsProcessed(bench.iterations() * W * H);
}

void BM_FilterOnScreen(benchmark::State &bench, ImageFilter filter)
{
    bench::BenchWorkspace w(true);
    if (!w.workspace()) {
        bench.SkipWithError("the workspace did not open");
        return;
    }
    for (auto _ : bench) {
        runWorkspaceFilter(*w.workspace(), filter);
        QApplication::processEvents(); // the final repaint of the whole picture
    }
}

} // namespace

BENCHMARK(BM_SnapshotOnly)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterComputation, blur1, ImageFilter::Blur1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterComputation, blur2, ImageFilter::Blur2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterComputation, sharpen1, ImageFilter::Sharpen1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterComputation, sharpen2, ImageFilter::Sharpen2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterComputation, diffuse, ImageFilter::Diffuse)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterComputation, diffuse_more, ImageFilter::DiffuseMore)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_FilterOnPicture, blur2, ImageFilter::Blur2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterOnPicture, diffuse_more, ImageFilter::DiffuseMore)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterOnScreen, blur1, ImageFilter::Blur1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterOnScreen, blur2, ImageFilter::Blur2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterOnScreen, diffuse_more, ImageFilter::DiffuseMore)->Unit(benchmark::kMillisecond);
