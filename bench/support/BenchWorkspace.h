#pragma once

#include "analysis/AnalysisState.h"
#include "types/ProgressWindows.h"
#include "platform/ports/AppContext.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/ports/Services.h"

#include <QTemporaryDir>

#include <memory>

namespace lumetra {
class CurveWindow;
class WorkspaceWindow;
} // namespace lumetra

namespace lumetra::bench {

// The program's workspace showing the beam picture, with settings of width 10 and interval 5,
// as the benchmarks of whole commands need it. With realProgress the real progress windows
// take part (repaints included); otherwise they are silent.
class BenchWorkspace
{
public:
    explicit BenchWorkspace(bool realProgress);
    ~BenchWorkspace();

    AnalysisState &state() { return *m_state; }
    AppContext &context() { return m_context; }
    ProgressWindows &progress() { return *m_progress; }
    // The open workspace, or nullptr when the picture could not be opened.
    WorkspaceWindow *workspace() const { return m_workspace; }
    // Opens the horizontal or vertical curve window; with lineMode switches it to line mode.
    CurveWindow *openCurveWindow(bool vertical, bool lineMode = false);
    // Paints the curve window and the table now, and with withWorkspace the workspace picture.
    void repaint(CurveWindow *window, bool withWorkspace);

private:
    std::unique_ptr<AnalysisState> m_state = std::make_unique<AnalysisState>();
    ScriptedDialogs m_dialogs;
    Services m_services;
    std::unique_ptr<ProgressWindows> m_progress;
    AppContext m_context;
    QTemporaryDir m_dir;
    WorkspaceWindow *m_workspace = nullptr;
};

} // namespace lumetra::bench
