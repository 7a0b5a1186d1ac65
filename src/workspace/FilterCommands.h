#pragma once

#include "analysis/ImageFilters.h"

namespace lumetra {

class Frm_transact;

// Connects the six commands of the workspace's "图像滤镜" menu (mohu1, mohu2, ruihuai1, ruihuai2,
// Difuse1, DifuseMore) to the filters. Each command filters the workspace picture in place,
// drawing the sweep row by row, with the busy pointer until the arrow comes back at the end.
void installFilterCommands(Frm_transact &workspace);

// Runs one filter on the workspace picture, as its menu command does.
void runWorkspaceFilter(Frm_transact &workspace, ImageFilter filter);

// The generator the diffusions draw from: one for the whole run of the program, seeded once
// from the system's entropy source when first used and never reseeded.
FilterRandom &workspaceRandom();

} // namespace lumetra
