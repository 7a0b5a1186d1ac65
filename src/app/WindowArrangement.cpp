#include "app/WindowArrangement.h"

#include "platform/ports/AppContext.h"
#include "platform/ports/WindowPlacement.h"

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
    QList<QSize> minimums;
    for (const QMdiSubWindow *w : windows)
        minimums << minimumOf(w);
    const QList<QRect> cells = window_placement::tile(visibleArea(area), minimums);
    for (int i = 0; i < windows.size(); ++i) {
        // A window of fixed size keeps it, at its cell's corner.
        QSize size = cells[i].size();
        if (const QWidget *form = windows[i]->widget())
            size = size.boundedTo(form->maximumSize() + (windows[i]->size() - form->size()));
        windows[i]->setGeometry(QRect(cells[i].topLeft(), size));
    }
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
