// A cut move from the workspace picture: marker, label, plot frame, curves, table refill,
// crosshair, and the repaint of the workspace, the curve window and the table.
#include "analysis/AnalysisState.h"
#include "types/ProgressWindows.h"
#include "curves/CurveWindow.h"
#include "curves/IntensityTableWindow.h"
#include "curves/CurveWindow.h"
#include "platform/ports/AppContext.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/ports/Services.h"
#include "workspace/CutPicker.h"
#include "workspace/WorkspaceWindow.h"
#include "workspace/SettingsDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include "support/BenchWorkspace.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

using namespace lumetra;

void BM_CutMove(benchmark::State &bench, bool vertical, bool lineMode, CutPicker::Trigger trigger)
{
    bench::BenchWorkspace session(false);
    CurveWindow *window = session.workspace() ? session.openCurveWindow(vertical, lineMode) : nullptr;
    if (!window) {
        bench.SkipWithError("the curve window did not open");
        return;
    }
    CutPicker picker(session.context(), session.state(), session.workspace()->picture());
    int step = 0;
    for (auto _ : bench) {
        const double p = 200 + (step++ % 40);
        picker.moveCut(*window, p, trigger);
        session.repaint(window, true);
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_CutMove, horizontal_face_key, false, false, CutPicker::Trigger::Key)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CutMove, horizontal_face_mouse, false, false, CutPicker::Trigger::Mouse)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CutMove, horizontal_line_key, false, true, CutPicker::Trigger::Key)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CutMove, vertical_face_key, true, false, CutPicker::Trigger::Key)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CutMove, vertical_line_mouse, true, true, CutPicker::Trigger::Mouse)
    ->Unit(benchmark::kMillisecond);
