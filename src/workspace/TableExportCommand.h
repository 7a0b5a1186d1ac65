#pragma once

#include "analysis/picture/TableExport.h"

namespace lumetra {

class CurveViewPort;
class WorkspaceWindow;

// The table mode of the open curve window's display mode; Neither without a window or mode.
TableMode tableModeOf(const CurveViewPort *window);

// "制表": saves the intensity table of the current cut as a workbook the operator names.
// Moves the curve window out of the way, asks for the file (and before overwriting one),
// brings the grey range and the profile up to date, and writes the table; a failed write
// leaves an existing file as it was and says "文件保存不成功!".
void runTableExport(WorkspaceWindow &workspace);

// Connects "制表" of the workspace's menu to runTableExport.
void installTableExportCommand(WorkspaceWindow &workspace);

} // namespace lumetra
