#pragma once

class QMdiArea;

namespace lumetra {

// "平铺" and "层叠" of the "窗口" menu, both inside the visible part of the document area (no
// window reaches beyond it, so no scroll bars appear) and no window smaller than its content
// needs (see window_placement::tile and cascade). Cascading puts the windows that show the
// workspace picture or the capture video in front.
void tileChildWindows(QMdiArea &area);
void cascadeChildWindows(QMdiArea &area);

} // namespace lumetra
