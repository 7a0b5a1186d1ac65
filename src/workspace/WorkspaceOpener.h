#pragma once

namespace lumetra {

struct AppContext;

// Makes context.openWorkspace show the image workspace for the stored ImagePath (at (160, 70),
// brought forward when already open); it answers false when the picture was refused.
void installWorkspaceOpener(AppContext &context);

} // namespace lumetra
