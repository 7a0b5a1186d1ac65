#include "app/WindowMenu.h"

#include "app/WindowArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace lumetra {

WindowMenu::WindowMenu(QMenuBar *bar, QMdiArea *area) : QObject(bar), m_area(area)
{
    m_menu = bar->addMenu(tr("窗口"));
    m_menu->menuAction()->setObjectName(QStringLiteral("window_menu"));
    m_cascade = m_menu->addAction(tr("层叠"));
    m_cascade->setObjectName(QStringLiteral("window_cascade"));
    m_tile = m_menu->addAction(tr("平铺"));
    m_tile->setObjectName(QStringLiteral("window_tile"));
    m_separator = m_menu->addSeparator();
    connect(m_cascade, &QAction::triggered, area, [area] { cascadeChildWindows(*area); });
    connect(m_tile, &QAction::triggered, area, [area] { tileChildWindows(*area); });
    connect(m_menu, &QMenu::aboutToShow, this, &WindowMenu::refresh);
    refresh();
}

QList<QAction *> WindowMenu::windowActions() const
{
    QList<QAction *> result = m_menu->actions();
    result.erase(result.begin(), result.begin() + result.indexOf(m_separator) + 1);
    return result;
}

void WindowMenu::refresh()
{
    for (QAction *old : windowActions()) {
        m_menu->removeAction(old);
        old->deleteLater();
    }
    int number = 0;
    const QList<QMdiSubWindow *> windows = m_area->subWindowList();
    for (QMdiSubWindow *window : windows) {
        if (!window->isVisible())
            continue;
        ++number;
        const QString prefix = number < 10 ? QStringLiteral("&%1 ").arg(number) : QString();
        QAction *entry = m_menu->addAction(prefix + window->windowTitle());
        entry->setCheckable(true);
        entry->setChecked(window == m_area->activeSubWindow());
        connect(entry, &QAction::triggered, m_area, [this, target = QPointer<QMdiSubWindow>(window)] {
            if (!target)
                return;
            if (target->isMinimized())
                target->showNormal();
            // Forward also when it is the active window already, under another one.
            target->raise();
            m_area->setActiveSubWindow(target);
        });
    }
    const bool any = number > 0;
    m_cascade->setEnabled(any);
    m_tile->setEnabled(any);
}

} // namespace lumetra
