// The analysis core on a 640 x 480 beam picture: sampling, profile analysis, curve plotting and
// the plot frame. The sampling chain reports progress once per row; BM_ProgressCallsOfTheChain
// measures what those 1440 calls cost on their own, to compare with the chain.
#include "analysis/AnalysisState.h"
#include "analysis/curves/CurvePlot.h"
#include "analysis/curves/ProfileAnalysis.h"
#include "analysis/picture/Sampling.h"
#include "types/ProgressWindows.h"
#include "surface/PictureSurface.h"

#include <QGuiApplication>
#include <QImage>

#include "support/BenchPictures.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace lumetra;

// Progress windows that do what a throttling implementation does on every row: work out the
// whole percent and remember whether it moved.
class CountingProgress : public ProgressWindows
{
public:
    void show(Window, const QString &) override { ++shows; }
    void setProgress(Window, float percent) override
    {
        ++rows;
        const int whole = static_cast<int>(percent);
        changes += whole != last;
        last = whole;
    }
    void close(Window) override { ++closes; }
    void repaintWorkspace() override {}

    long long shows = 0, rows = 0, changes = 0, closes = 0;
    int last = -1;
};

struct Workspace
{
    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    PictureSurface picture{640, 480};

    Workspace()
    {
        picture.setBackColour(rgb(70, 70, 70));
        picture.setPicture(lumetra::bench::beamPicture());
        state->picture.ImageWidth = 640;
        state->picture.ImageHeight = 480;
    }

    // Sampled, with a horizontal curve window open at row `cut`.
    void openCut(int orientation, int cut)
    {
        SilentProgress progress;
        sampling::ReadColours(state->picture, picture, progress);
        sampling::ComputeGreyMap(state->picture, progress);
        sampling::ScanGreyRangeWithProgress(state->picture, progress);
        state->cut.Active = true;
        state->cut.CutOrientation = static_cast<int16_t>(orientation);
        state->cut.CutPosition = cut;
    }
};

void BM_SamplingChain(benchmark::State &s)
{
    Workspace w;
    CountingProgress progress;
    for (auto _ : s) {
        sampling::ReadColours(w.state->picture, w.picture, progress);
        sampling::ComputeGreyMap(w.state->picture, progress);
        sampling::ScanGreyRangeWithProgress(w.state->picture, progress);
        benchmark::DoNotOptimize(w.state->picture.GreyMax);
    }
    s.counters["progress_rows_per_pass"] =
        benchmark::Counter(static_cast<double>(progress.rows) / static_cast<double>(s.iterations()));
    s.SetItemsProcessed(s.iterations() * 640 * 480);
}
BENCHMARK(BM_SamplingChain)->Unit(benchmark::kMicrosecond);

void BM_ReadColours(benchmark::State &s)
{
    Workspace w;
    SilentProgress progress;
    for (auto _ : s)
        sampling::ReadColours(w.state->picture, w.picture, progress);
    s.SetItemsProcessed(s.iterations() * 640 * 480);
}
BENCHMARK(BM_ReadColours)->Unit(benchmark::kMicrosecond);

void BM_ComputeGreyMap(benchmark::State &s)
{
    Workspace w;
    SilentProgress progress;
    sampling::ReadColours(w.state->picture, w.picture, progress);
    for (auto _ : s)
        sampling::ComputeGreyMap(w.state->picture, progress);
    s.SetItemsProcessed(s.iterations() * 640 * 480);
}
BENCHMARK(BM_ComputeGreyMap)->Unit(benchmark::kMicrosecond);

void BM_ScanGreyRangeWithProgress(benchmark::State &s)
{
    Workspace w;
    w.openCut(1, 192);
    SilentProgress progress;
    for (auto _ : s)
        sampling::ScanGreyRangeWithProgress(w.state->picture, progress);
    s.SetItemsProcessed(s.iterations() * 640 * 480);
}
BENCHMARK(BM_ScanGreyRangeWithProgress)->Unit(benchmark::kMicrosecond);

// The 3 x 480 per-row calls of one sampling chain, through the interface, alone.
void BM_ProgressCallsOfTheChain(benchmark::State &s)
{
    CountingProgress counting;
    ProgressWindows &progress = counting;
    benchmark::DoNotOptimize(&progress);
    for (auto _ : s) {
        for (int pass = 0; pass < 3; ++pass)
            for (int y = 1; y <= 480; ++y)
                progress.setProgress(ProgressWindows::Window::Progress, 100.0f * static_cast<float>(y) / 480.0f);
        benchmark::DoNotOptimize(counting.changes);
    }
}
BENCHMARK(BM_ProgressCallsOfTheChain)->Unit(benchmark::kMicrosecond);

void BM_AnalyseProfileHorizontal(benchmark::State &s)
{
    Workspace w;
    w.openCut(1, 230);
    w.state->cut.IntegrationWidth = static_cast<double>(s.range(0));
    for (auto _ : s) {
        profile::AnalyseProfile(*w.state);
        benchmark::DoNotOptimize(w.state->cut.ProfileH.data());
    }
}
BENCHMARK(BM_AnalyseProfileHorizontal)
    ->Arg(0)
    ->Arg(5)
    ->Arg(50)
    ->Arg(239)
    ->Arg(319)
    ->Unit(benchmark::kMicrosecond);

void BM_AnalyseProfileVertical(benchmark::State &s)
{
    Workspace w;
    w.openCut(2, 330);
    w.state->cut.IntegrationWidth = static_cast<double>(s.range(0));
    for (auto _ : s) {
        profile::AnalyseProfile(*w.state);
        benchmark::DoNotOptimize(w.state->cut.ProfileV.data());
    }
}
BENCHMARK(BM_AnalyseProfileVertical)->Arg(0)->Arg(5)->Arg(50)->Arg(239)->Unit(benchmark::kMicrosecond);

void BM_PlotRawCurve(benchmark::State &s)
{
    Workspace w;
    w.openCut(1, 230);
    PictureSurface plot(640, 200);
    plot.setBackColour(rgb(70, 70, 70));
    for (auto _ : s)
        plotting::PlotRawCurve(*w.state, plot, PlotMode::FaceNormal);
}
BENCHMARK(BM_PlotRawCurve)->Unit(benchmark::kMicrosecond);

void BM_PlotAnalysedCurve(benchmark::State &s)
{
    Workspace w;
    w.openCut(1, 230);
    w.state->cut.IntegrationWidth = 5;
    profile::AnalyseProfile(*w.state);
    PictureSurface plot(640, 200);
    plot.setBackColour(rgb(70, 70, 70));
    for (auto _ : s)
        plotting::PlotAnalysedCurve(*w.state, plot, PlotMode::FaceNormal);
}
BENCHMARK(BM_PlotAnalysedCurve)->Unit(benchmark::kMicrosecond);

void BM_DrawPlotFrameCurveWindow(benchmark::State &s)
{
    AnalysisState *state = new AnalysisState;
    state->view.AxisStart = -320;
    PictureSurface window(710, 330), plot(640, 200);
    plot.setPlacement(33, 60);
    for (auto _ : s) {
        int spanX = 640, spanY = 100;
        plotting::DrawPlotFrame(state->view.AxisStart, plot, window, spanX, spanY, 8, 2, scalesides::CurvePlot, true);
    }
    delete state;
}
BENCHMARK(BM_DrawPlotFrameCurveWindow)->Unit(benchmark::kMicrosecond);

} // namespace
