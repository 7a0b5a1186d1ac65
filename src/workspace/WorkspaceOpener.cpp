#include "workspace/WorkspaceOpener.h"

#include "platform/AppContext.h"
#include "workspace/Frm_transact.h"

namespace lumetra {

void installWorkspaceOpener(AppContext &context)
{
    context.openWorkspace = [&context] { return Frm_transact::showWorkspace(context) != nullptr; };
}

} // namespace lumetra
