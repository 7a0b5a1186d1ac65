#include "workspace/FilterCommands.h"

#include "analysis/AnalysisState.h"
#include "analysis/picture/ImageFilterRun.h"
#include "platform/ports/CurveViewPort.h"
#include "platform/dialogs/SurfaceView.h"
#include "workspace/WorkspaceWindow.h"

#include <QAction>
#include <QCursor>
#include <QSignalBlocker>

#include <array>
#include <utility>

namespace lumetra {

FilterRandom &workspaceRandom()
{
    static FilterRandom random{std::random_device{}()};
    return random;
}

void runWorkspaceFilter(WorkspaceWindow &workspace, ImageFilter filter)
{
    AppContext &context = workspace.context();
    PictureSurface &picture = workspace.picture();
    SurfaceView *view = workspace.pictureView();
    workspace.setCursor(Qt::WaitCursor);
    {
        // Each written row is repainted by itself, at once; the surface's own change notices
        // would turn every row into a repaint of the whole picture, so they wait for the end.
        const QSignalBlocker quiet(picture);
        applyImageFilter(filter, workspace.state(), picture, context.progress, workspaceRandom(), [view](int y) {
            if (view)
                view->repaint(view->border(), view->border() + y, view->surface()->width(), 1);
        });
    }
    emit picture.changed();
    workspace.setCursor(Qt::ArrowCursor);
    // An open curve window shows the filtered picture, not the one it sampled when it opened.
    if (context.curveWindow && workspace.state().cut.Active)
        context.curveWindow->resamplePicture();
    workspace.pictureChanged();
}

void installFilterCommands(WorkspaceWindow &workspace)
{
    for (const auto &[filter, name, word] : ImageFilterNames) {
        QAction *action = workspace.menuItem(QString::fromLatin1(name));
        if (!action)
            continue;
        const ImageFilter f = filter;
        QObject::connect(action, &QAction::triggered, &workspace,
                         [&workspace, f] { runWorkspaceFilter(workspace, f); });
    }
}

} // namespace lumetra
