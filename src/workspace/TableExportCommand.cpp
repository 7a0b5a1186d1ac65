#include "workspace/TableExportCommand.h"

#include "analysis/curves/ProfileAnalysis.h"
#include "analysis/picture/Sampling.h"
#include "platform/ports/CurveViewPort.h"
#include "platform/workbook/WorkbookService.h"
#include "workspace/WorkspaceWindow.h"
#include "workspace/SaveTarget.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>

namespace lumetra {

TableMode tableModeOf(const CurveViewPort *window)
{
    const std::optional<DisplayMode> mode = window ? window->displayMode() : std::nullopt;
    if (!mode)
        return TableMode::Neither;
    return *mode == DisplayMode::Face ? TableMode::Face : TableMode::Line;
}

void runTableExport(WorkspaceWindow &workspace)
{
    AppContext &context = workspace.context();
    AnalysisState &state = workspace.state();
    Dialogs *dialogs = context.services.dialogs;
    if (cutTableGroups(state) == 0 || !dialogs)
        return;

    // The curve window of the cut moves aside.
    CurveViewPort *window = context.curveWindow;
    if (window && (state.cut.CutOrientation == 1 || state.cut.CutOrientation == 2) &&
        window->isVertical() == (state.cut.CutOrientation == 2))
        window->moveAside();
    const std::optional<QString> path = askSaveTarget(
        *dialogs, &workspace, workbookSaveRequest(QCoreApplication::translate("TableExportCommand", "制表")));
    if (!path)
        return;

    workspace.setCursor(Qt::BusyCursor);
    sampling::ScanGreyRange(state.picture);
    profile::AnalyseProfile(state);
    profile::FindProfileMax(state);
    profile::FindProfileMin(state);
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

void installTableExportCommand(WorkspaceWindow &workspace)
{
    if (QAction *command = workspace.menuItem(QStringLiteral("exportTable")))
        QObject::connect(command, &QAction::triggered, &workspace,
                         [&workspace] { runTableExport(workspace); });
}

} // namespace lumetra
