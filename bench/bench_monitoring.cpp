// Long-term monitoring: an 8-hour run at 25 frames a second is 720 000 measurements.
//  - BM_RecordEightHours: all of them into a recording's memory (whole-run moments, the decimated
//    history of the four windows, the scatter's newest centroids); time per sample, and counter
//    "history_bytes" for what the history holds at the end (the samples themselves are not kept).
//  - BM_RedrawEightHourPlot: one redraw of the 8-hour window: the centroid plot's series rebuilt
//    from the buckets and the chart painted (480 x 300) into an image.
#include "analysis/monitoring/MonitorRecorder.h"
#include "capture/monitoring/MonitorTrendChart.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace lumetra;

constexpr long long EightHours = 720000;

beam::BeamResult resultAt(long long i)
{
    beam::BeamResult r;
    r.status = beam::BeamStatus::Ok;
    const double t = i / 25.0;
    r.centroidX = 320.0 + 2.0 * t / 3600.0 + 0.4 * std::sin(i * 0.37);
    r.centroidY = 240.0 - 1.0 * t / 3600.0 + 0.3 * std::cos(i * 0.53);
    r.dX = 80.0 + 0.2 * std::sin(i * 0.11);
    r.dY = 78.0;
    return r;
}

void BM_RecordEightHours(benchmark::State &state)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        monitoring::MonitorRecorder recorder;
        for (long long i = 0; i < EightHours; ++i)
            recorder.record(i / 25.0, resultAt(i));
        bytes = recorder.history().memoryBytes();
        benchmark::DoNotOptimize(recorder.total().count());
    }
    state.SetItemsProcessed(state.iterations() * EightHours);
    state.counters["history_bytes"] = double(bytes);
    state.counters["ns_per_sample"] =
        benchmark::Counter(double(state.iterations() * EightHours), benchmark::Counter::kIsRate | benchmark::Counter::kInvert) ;
}
BENCHMARK(BM_RecordEightHours)->Unit(benchmark::kMillisecond);

void BM_RedrawEightHourPlot(benchmark::State &state)
{
    monitoring::MonitorRecorder recorder;
    for (long long i = 0; i < EightHours; ++i)
        recorder.record(i / 25.0, resultAt(i));
    MonitorTrendChart chart(MonitorTrendChart::Kind::Centroid);
    chart.resize(480, 300);
    QImage image(480, 300, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        chart.showWindow(recorder.history(), 3, 0.0);
        QPainter painter(&image);
        chart.render(&painter);
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["points"] = chart.pointCount();
}
BENCHMARK(BM_RedrawEightHourPlot)->Unit(benchmark::kMillisecond);

} // namespace
