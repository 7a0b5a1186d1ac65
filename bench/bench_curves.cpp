// The curve windows: opening one on a 640 x 480 picture (sampling with the progress windows,
// curves, cut marker, table filled), a display-mode switch (plot and table), and a mouse move
// over the plot (crosshair and readouts).
#include "analysis/AnalysisState.h"
#include "app/progress/WindowProgress.h"
#include "curves/CurveWindow.h"
#include "curves/IntensityTableWindow.h"
#include "curves/CurveWindow.h"
#include "platform/ports/AppContext.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/ports/Services.h"
#include "workspace/WorkspaceWindow.h"
#include "workspace/SettingsDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include "support/BenchWorkspace.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

using namespace lumetra;

void BM_OpenCurveWindow(benchmark::State &bench, bool vertical)
{
    bench::BenchWorkspace session(true);
    if (!session.workspace()) {
        bench.SkipWithError("the workspace did not open");
        return;
    }
    for (auto _ : bench) {
        CurveWindow *window = session.openCurveWindow(vertical);
        if (!window) {
            bench.SkipWithError("the curve window did not open");
            return;
        }
        session.repaint(window, true);
        bench.PauseTiming();
        window->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        bench.ResumeTiming();
    }
}

void BM_ModeSwitch(benchmark::State &bench, bool vertical)
{
    bench::BenchWorkspace session(true);
    CurveWindow *window = session.workspace() ? session.openCurveWindow(vertical) : nullptr;
    if (!window) {
        bench.SkipWithError("the curve window did not open");
        return;
    }
    bool line = false;
    for (auto _ : bench) {
        line = !line;
        (line ? window->lineModeButton() : window->faceModeButton())->click();
        session.repaint(window, false);
    }
}

void BM_MouseMoveOverPlot(benchmark::State &bench, bool vertical)
{
    bench::BenchWorkspace session(true);
    CurveWindow *window = session.workspace() ? session.openCurveWindow(vertical) : nullptr;
    if (!window) {
        bench.SkipWithError("the curve window did not open");
        return;
    }
    SurfaceView *view = window->plotView();
    int step = 0;
    for (auto _ : bench) {
        const int along = 20 + (step * 7) % 150;
        const QPointF at = vertical ? QPointF(along, 40 + step % 400) : QPointF(40 + step % 560, along);
        ++step;
        QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        view->repaint();
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_OpenCurveWindow, horizontal, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenCurveWindow, vertical, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ModeSwitch, horizontal, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ModeSwitch, vertical, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MouseMoveOverPlot, horizontal, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MouseMoveOverPlot, vertical, true)->Unit(benchmark::kMicrosecond);
