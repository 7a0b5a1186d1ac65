#pragma once

#include "analysis/picture/ImageFilters.h"

namespace lumetra {

class WorkspaceWindow;

// Connects the six commands of the workspace's "图像滤镜" menu (blur1, blur2, sharpen1, sharpen2,
// diffuse, diffuseMore) to the filters. Each command filters the workspace picture in place,
// drawing the sweep row by row, with the busy pointer until the arrow comes back at the end.
void installFilterCommands(WorkspaceWindow &workspace);

// Runs one filter on the workspace picture, as its menu command does.
void runWorkspaceFilter(WorkspaceWindow &workspace, ImageFilter filter);

// The generator the diffusions draw from: one for the whole run of the program, seeded once
// from the system's entropy source when first used and never reseeded.
FilterRandom &workspaceRandom();

} // namespace lumetra
