#include "workspace/TableExportCommand.h"

#include "analysis/Module1.h"
#include "curves/CurveWindow.h"
#include "curves/frmguang.h"
#include "curves/frmguangshu.h"
#include "platform/WorkbookService.h"
#include "workspace/Frm_transact.h"
#include "workspace/SaveTarget.h"

#include <QAction>
#include <QFileInfo>
#include <QPushButton>

namespace lumetra {

namespace {

// The curve window of the cut moves aside: the horizontal one to top 300, the vertical one to
// left 400.
void moveCurveWindowAside(const AnalysisState &state)
{
    if (state.CutOrientation == 1) {
        if (frmguang *window = frmguang::instance())
            moveChildWindow(window, QPoint(childWindowFrame(window)->x(), 300));
    } else if (frmguangshu *window = frmguangshu::instance()) {
        moveChildWindow(window, QPoint(400, childWindowFrame(window)->y()));
    }
}

} // namespace

TableMode tableModeOf(CurveWindow &window)
{
    if (!window.faceModeButton()->isEnabled())
        return TableMode::Face;
    if (!window.lineModeButton()->isEnabled())
        return TableMode::Line;
    return TableMode::Neither;
}

void runTableExport(Frm_transact &workspace)
{
    AppContext &context = workspace.context();
    AnalysisState &state = context.state;
    Dialogs *dialogs = context.services.dialogs;
    if (cutTableGroups(state) == 0 || !dialogs)
        return;

    moveCurveWindowAside(state);
    const std::optional<QString> path =
        askSaveTarget(*dialogs, &workspace, workbookSaveRequest(QStringLiteral("制表")));
    if (!path)
        return;

    workspace.setCursor(Qt::BusyCursor);
    Module1::ScanGreyRange(state);
    Module1::AnalyseProfile(state);
    Module1::FindProfileMax(state);
    Module1::FindProfileMin(state);
    CurveWindow *window = CurveWindow::openWindow();
    const TableMode mode = window ? tableModeOf(*window) : TableMode::Neither;
    const WorkbookSheet sheet = buildCutTable(state, mode);

    WorkbookService *workbook = context.services.workbook;
    const bool saved = workbook && workbook->save(sheet, *path) && QFileInfo::exists(*path);
    workspace.unsetCursor();
    if (!saved)
        reportSaveFailure(*dialogs, &workspace);
}

void installTableExportCommand(Frm_transact &workspace)
{
    if (QAction *command = workspace.menuItem(QStringLiteral("zhibiao")))
        QObject::connect(command, &QAction::triggered, &workspace,
                         [&workspace] { runTableExport(workspace); });
}

} // namespace lumetra
