#include "workspace/FilterCommands.h"

#include "analysis/AnalysisState.h"
#include "analysis/ImageFilterRun.h"
#include "platform/CurveViewPort.h"
#include "platform/SurfaceView.h"
#include "workspace/Frm_transact.h"

#include <QAction>
#include <QCursor>
#include <QSignalBlocker>

#include <array>
#include <utility>

namespace lumetra {

namespace {

constexpr std::array<std::pair<const char *, ImageFilter>, 6> Commands = {{
    {"mohu1", ImageFilter::Blur1},
    {"mohu2", ImageFilter::Blur2},
    {"ruihuai1", ImageFilter::Sharpen1},
    {"ruihuai2", ImageFilter::Sharpen2},
    {"Difuse1", ImageFilter::Diffuse},
    {"DifuseMore", ImageFilter::DiffuseMore},
}};

} // namespace

FilterRandom &workspaceRandom()
{
    static FilterRandom random{std::random_device{}()};
    return random;
}

void runWorkspaceFilter(Frm_transact &workspace, ImageFilter filter)
{
    AppContext &context = workspace.context();
    PictureSurface &picture = workspace.picture();
    SurfaceView *view = workspace.pictureView();
    workspace.setCursor(Qt::WaitCursor);
    {
        // Each written row is repainted by itself, at once; the surface's own change notices
        // would turn every row into a repaint of the whole picture, so they wait for the end.
        const QSignalBlocker quiet(picture);
        applyImageFilter(filter, context.state, picture, context.progress, workspaceRandom(), [view](int y) {
            if (view)
                view->repaint(view->border(), view->border() + y, view->surface()->width(), 1);
        });
    }
    emit picture.changed();
    workspace.setCursor(Qt::ArrowCursor);
    // An open curve window shows the filtered picture, not the one it sampled when it opened.
    if (context.curveWindow && context.state.CurveWindowOpen)
        context.curveWindow->resamplePicture();
    if (context.workspacePictureChanged)
        context.workspacePictureChanged();
}

void installFilterCommands(Frm_transact &workspace)
{
    for (const auto &[name, filter] : Commands) {
        QAction *action = workspace.menuItem(QString::fromLatin1(name));
        if (!action)
            continue;
        const ImageFilter f = filter;
        QObject::connect(action, &QAction::triggered, &workspace,
                         [&workspace, f] { runWorkspaceFilter(workspace, f); });
    }
}

} // namespace lumetra
