#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace lumetra::window_placement {

// What is on the main window's document area when a window opens, in the area's pixels.
struct Scene
{
    QRect area;                // the visible part of the document area
    QList<QRect> keepInSight;  // the workspace picture, the capture video: covered only when
                               // there is no other place
    QList<QRect> others;       // every other open window
};

// Where a new window of outer size `size` goes: the first free place (beside the workspace
// picture or the capture video, then below it, then beside or below another window, then the
// area's top-left corner), shrunk down to `minimum` to fit a free place when needed; failing
// that, a place that covers no picture or video, covering as little of the other windows as
// possible; failing that, the place that covers the least of the pictures. The result always
// lies inside the area when `minimum` fits it, and never above or left of it.
QRect placeNewWindow(const Scene &scene, const QSize &size, const QSize &minimum);

// `window` moved as little as possible (and shrunk no smaller than `minimum`) so that it lies
// inside `area`; a window larger than the area keeps its top-left corner inside.
QRect keepInside(const QRect &area, const QRect &window, const QSize &minimum);

// The grid "平铺" lays the windows on: one cell each (in order), all cells of one size; a cell
// smaller than its window's minimum grows and is moved back inside the area (it then overlaps
// its neighbours). The columns are chosen so that the windows overlap least (not at all when
// every window fits its cell), the squarest grid among equals. Every rectangle lies inside the
// area when the minimums fit it.
QList<QRect> tile(const QRect &area, const QList<QSize> &minimums);

// "层叠": each window keeps its size (cut to the area, not below its minimum) and moves `step`
// further right and down than the one before, starting again at the top-left corner when the
// next one would leave the area.
QList<QRect> cascade(const QRect &area, const QList<QSize> &sizes, const QList<QSize> &minimums, int step);

} // namespace lumetra::window_placement
