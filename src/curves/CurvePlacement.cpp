#include "curves/CurvePlacement.h"

#include <algorithm>

namespace lumetra {

namespace {
bool fits(const QSize &area, const QPoint &at, const QSize &window)
{
    return at.x() + window.width() <= area.width() && at.y() + window.height() <= area.height();
}
} // namespace

QPoint tiledCurvePosition(const QSize &area, const QRect &workspace, const QRect &picture, const QSize &window)
{
    const QPoint below(workspace.left(), workspace.bottom() + 1);
    if (fits(area, below, window))
        return below;
    const QPoint beside(workspace.right() + 1, workspace.top());
    if (fits(area, beside, window))
        return beside;
    return QPoint(workspace.left(), std::max(picture.bottom() + 1, area.height() - window.height()));
}

QPoint fittedPosition(const QSize &area, const QPoint &at, const QSize &size)
{
    const int x = std::max(0, std::min(at.x(), area.width() - size.width()));
    const int y = std::max(0, std::min(at.y(), area.height() - size.height()));
    return QPoint(x, y);
}

} // namespace lumetra
