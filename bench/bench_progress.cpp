// The cost of the progress windows and the banner inside the program's long computations:
// setProgress is called once per picture row (480 or 640 times a pass) and must stay far
// below the cost of sampling a row; a banner tick runs every 50 ms for the program's life.
#include "app/banner/BannerAnimation.h"
#include "app/progress/WindowProgress.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using lumetra::ProgressWindows;

// One whole pass: 480 rows reported, the window repainted as the percent moves.
void BM_ProgressPassOf480Rows(benchmark::State &state)
{
    QWidget owner;
    owner.resize(800, 600);
    owner.show();
    lumetra::WindowProgress progress(&owner);
    for (auto _ : state) {
        progress.show(ProgressWindows::Window::Progress, QStringLiteral("pass"));
        for (int row = 1; row <= 480; ++row)
            progress.setProgress(ProgressWindows::Window::Progress, static_cast<float>(row) * 100.f / 480.f);
        progress.close(ProgressWindows::Window::Progress);
    }
    state.SetItemsProcessed(state.iterations() * 480);
}
BENCHMARK(BM_ProgressPassOf480Rows)->Unit(benchmark::kMillisecond);

// The common case of a row: the whole percent has not changed.
void BM_ProgressRowWithoutChange(benchmark::State &state)
{
    QWidget owner;
    owner.show();
    lumetra::WindowProgress progress(&owner);
    progress.show(ProgressWindows::Window::Waiting);
    float percent = 10.f;
    for (auto _ : state) {
        progress.setProgress(ProgressWindows::Window::Waiting, percent);
        percent = percent < 10.5f ? percent + 0.001f : 10.f;
    }
    progress.close(ProgressWindows::Window::Waiting);
}
BENCHMARK(BM_ProgressRowWithoutChange);

void BM_BannerTick(benchmark::State &state)
{
    lumetra::PictureSurface strip(1180, 41);
    QImage bitmap(600, 41, QImage::Format_RGB32);
    bitmap.fill(qRgb(18, 30, 66));
    lumetra::BannerAnimation banner(strip, bitmap);
    for (auto _ : state)
        banner.tick();
}
BENCHMARK(BM_BannerTick)->Unit(benchmark::kMicrosecond);

} // namespace
