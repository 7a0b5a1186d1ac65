#include "app/WindowArrangement.h"

#include "platform/ports/AppContext.h"
#include "platform/ports/WindowPlacement.h"
#include "platform/ports/WindowTiling.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>

namespace lumetra {

namespace {

QList<QMdiSubWindow *> arrangedWindows(const QMdiArea &area)
{
    QList<QMdiSubWindow *> windows = area.subWindowList(QMdiArea::CreationOrder);
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [](const QMdiSubWindow *w) { return !w->isVisible() || w->isMinimized(); }),
                  windows.end());
    for (QMdiSubWindow *w : std::as_const(windows))
        if (w->isMaximized())
            w->showNormal();
    return windows;
}

// A window sized to its picture or video keeps that size: smaller, the picture would be cut.
QSize minimumOf(const QMdiSubWindow *window)
{
    if (keepsInSight(window->widget()))
        return window->size();
    return window->minimumSizeHint().expandedTo(window->minimumSize());
}

QRect visibleArea(const QMdiArea &area)
{
    return QRect(QPoint(0, 0), area.viewport()->size());
}

} // namespace

void tileChildWindows(QMdiArea &area)
{
    const QList<QMdiSubWindow *> windows = arrangedWindows(area);
    QList<window_placement::TiledWindow> tiled;
    for (const QMdiSubWindow *w : windows) {
        // A window of fixed size keeps it, at its place's corner.
        QSize maximum = w->maximumSize();
        if (const QWidget *form = w->widget())
            maximum = maximum.boundedTo(form->maximumSize() + (w->size() - form->size()));
        tiled << window_placement::TiledWindow{minimumOf(w), maximum, keepsInSight(w->widget())};
    }
    const int titleHeight =
        windows.isEmpty() ? 0 : windows.first()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.first());
    const window_placement::Tiling tiling = window_placement::tileWindows(visibleArea(area), tiled, titleHeight);
    for (int i = 0; i < windows.size(); ++i)
        windows[i]->setGeometry(tiling.rects[i]);
    for (int i : tiling.raiseOrder)
        windows[i]->raise();
}

void cascadeChildWindows(QMdiArea &area)
{
    QList<QMdiSubWindow *> windows = arrangedWindows(area);
    std::stable_partition(windows.begin(), windows.end(),
                          [](const QMdiSubWindow *w) { return !keepsInSight(w->widget()); });
    QList<QSize> sizes;
    QList<QSize> minimums;
    for (const QMdiSubWindow *w : std::as_const(windows)) {
        sizes << w->sizeHint().expandedTo(minimumOf(w));
        minimums << minimumOf(w);
    }
    const int step = windows.isEmpty() ? 0
                                       : windows.first()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr,
                                                                               windows.first()) + 4;
    const QList<QRect> places = window_placement::cascade(visibleArea(area), sizes, minimums, step);
    for (int i = 0; i < windows.size(); ++i) {
        windows[i]->setGeometry(places[i]);
        windows[i]->raise();
    }
    if (!windows.isEmpty())
        area.setActiveSubWindow(windows.last());
}

} // namespace lumetra
