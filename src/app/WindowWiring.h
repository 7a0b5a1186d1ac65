#pragma once

namespace lumetra {

struct AnalysisState;
struct AppContext;

// Connects the window subsystems at start-up through the openers of the context: the main
// window's open and connect commands, the workspace's "水平" and "垂直", and the print entries of
// a curve window's popup menu. The open workspace and curve window publish themselves in the
// context; nothing else links one subsystem to another. The workspace, the curve windows and the
// curve reports share `state`.
void wireWindows(AppContext &context, AnalysisState &state);

} // namespace lumetra
