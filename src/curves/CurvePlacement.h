#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace lumetra {

// Where a curve window goes among the child windows of the main frame (all in client-area
// pixels of the frame's document area), so that it leaves the workspace picture in sight.
//
// Below the workspace when it fits there; otherwise to the right of the workspace when it fits
// there; otherwise just below the picture (over the bottom ruler at most), or lower still so that
// its bottom meets the area's bottom when that leaves more of the workspace showing; the area
// scrolls to what is left beyond its edge.
QPoint tiledCurvePosition(const QSize &area, const QRect &workspace, const QRect &picture, const QSize &window);

// A window of `size` moved as little as possible from `at` so that it lies inside the area; one
// larger than the area keeps its top-left corner at the area's (the area then scrolls).
QPoint fittedPosition(const QSize &area, const QPoint &at, const QSize &size);

} // namespace lumetra
