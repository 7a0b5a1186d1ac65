#include "workspace/TableExportCommand.h"

#include "analysis/Module1.h"
#include "platform/CurveViewPort.h"
#include "platform/WorkbookService.h"
#include "workspace/Frm_transact.h"
#include "workspace/SaveTarget.h"

#include <QAction>
#include <QFileInfo>

namespace lumetra {

TableMode tableModeOf(const CurveViewPort *window)
{
    const std::optional<DisplayMode> mode = window ? window->displayMode() : std::nullopt;
    if (!mode)
        return TableMode::Neither;
    return *mode == DisplayMode::Face ? TableMode::Face : TableMode::Line;
}

void runTableExport(Frm_transact &workspace)
{
    AppContext &context = workspace.context();
    AnalysisState &state = context.state;
    Dialogs *dialogs = context.services.dialogs;
    if (cutTableGroups(state) == 0 || !dialogs)
        return;

    // The curve window of the cut moves aside.
    CurveViewPort *window = context.curveWindow;
    if (window && (state.CutOrientation == 1 || state.CutOrientation == 2) &&
        window->isVertical() == (state.CutOrientation == 2))
        window->moveAside();
    const std::optional<QString> path =
        askSaveTarget(*dialogs, &workspace, workbookSaveRequest(QStringLiteral("制表")));
    if (!path)
        return;

    workspace.setCursor(Qt::BusyCursor);
    Module1::ScanGreyRange(state);
    Module1::AnalyseProfile(state);
    Module1::FindProfileMax(state);
    Module1::FindProfileMin(state);
    const TableMode mode = tableModeOf(context.curveWindow);
    const WorkbookSheet sheet = buildCutTable(state, mode);

    WorkbookService *workbook = context.services.workbook;
    const bool saved = workbook && workbook->save(sheet, *path) && QFileInfo::exists(*path);
    workspace.unsetCursor();
    if (!saved)
        reportSaveFailure(*dialogs, &workspace);
    else
        announceSaved(context, *path);
}

void installTableExportCommand(Frm_transact &workspace)
{
    if (QAction *command = workspace.menuItem(QStringLiteral("zhibiao")))
        QObject::connect(command, &QAction::triggered, &workspace,
                         [&workspace] { runTableExport(workspace); });
}

} // namespace lumetra
