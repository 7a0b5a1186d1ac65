#pragma once

namespace lumetra {

struct AnalysisState;

struct AppContext;

// Makes context.openWorkspace show the image workspace for the stored ImagePath (at (160, 70),
// brought forward when already open); it answers false when the picture was refused.
void installWorkspaceOpener(AppContext &context, AnalysisState &state);

} // namespace lumetra
