// A cut move from the workspace picture: marker, label, plot frame, curves, table refill,
// crosshair, and the repaint of the workspace, the curve window and the table.
#include "analysis/AnalysisState.h"
#include "analysis/ProgressWindows.h"
#include "curves/CurveWindow.h"
#include "curves/frm_listview.h"
#include "curves/frmguang.h"
#include "curves/frmguangshu.h"
#include "platform/AppContext.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Services.h"
#include "workspace/CutPicker.h"
#include "workspace/Frm_transact.h"
#include "workspace/frm_sz.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include "support/BenchPictures.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

using namespace lumetra;

struct Session
{
    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    ScriptedDialogs dialogs;
    Services services;
    SilentProgress progress;
    AppContext context{*state, services, progress, nullptr, nullptr, {}, {}};
    QTemporaryDir dir;
    Frm_transact *workspace = nullptr;
    CurveWindow *window = nullptr;

    Session(bool vertical, bool lineMode)
    {
        services.dialogs = &dialogs;
        QFile settings(QDir(dir.path()).filePath("configtext.txt"));
        if (settings.open(QIODevice::WriteOnly))
            settings.write("10\r\n5\r\n");
        settings.close();
        frm_sz::setSettingsPath(settings.fileName());
        state->ImagePath = QDir(dir.path()).filePath("spot.bmp");
        lumetra::bench::beamPicture().save(state->ImagePath);
        workspace = Frm_transact::showWorkspace(context);
        if (workspace)
            window = vertical ? static_cast<CurveWindow *>(frmguangshu::showWindow(context))
                              : frmguang::showWindow(context);
        if (window && lineMode)
            window->lineModeButton()->click();
    }
    ~Session()
    {
        QApplication::closeAllWindows();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frm_sz::setSettingsPath(QString());
    }

    void repaint()
    {
        workspace->pictureView()->repaint();
        window->repaint();
        if (frm_listview *table = frm_listview::instance())
            table->listView()->viewport()->repaint();
    }
};

void BM_CutMove(benchmark::State &bench, bool vertical, bool lineMode, CutPicker::Trigger trigger)
{
    Session session(vertical, lineMode);
    if (!session.window) {
        bench.SkipWithError("the curve window did not open");
        return;
    }
    CutPicker picker(*session.state, session.workspace->picture());
    int step = 0;
    for (auto _ : bench) {
        const double p = 200 + (step++ % 40);
        picker.moveCut(*session.window, p, trigger);
        session.repaint();
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
