#pragma once

namespace lumetra {

class CurveWindow;

// Enables the print entries of a curve window's popup menu and connects them to the reports:
// "打印原始曲线" and "打印分析曲线" set PrintAnalysed and open the curve report of the window's cut;
// "打印图片" / "打印图" opens the picture report.
void installReportCommands(CurveWindow &window);

} // namespace lumetra
