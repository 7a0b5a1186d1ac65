#include "workspace/WorkspaceOpener.h"

#include "platform/ports/AppContext.h"
#include "workspace/WorkspaceWindow.h"

namespace lumetra {

void installWorkspaceOpener(AppContext &context, AnalysisState &state)
{
    context.openWorkspace = [&context, &state](const QString &path) {
        return WorkspaceWindow::showWorkspace(context, state, path) != nullptr;
    };
}

} // namespace lumetra
