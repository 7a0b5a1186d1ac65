#pragma once

#include <QObject>

class QAction;
class QMdiArea;
class QMenu;
class QMenuBar;

namespace lumetra {

// The "窗口" menu of the main window: "层叠" and "平铺" arrange the windows of the document area,
// and below them every open window is listed by its title, the active one checked; choosing one
// brings it forward.
class WindowMenu : public QObject
{
    Q_OBJECT

public:
    WindowMenu(QMenuBar *bar, QMdiArea *area);

    QMenu *menu() const { return m_menu; }
    QAction *cascadeAction() const { return m_cascade; }
    QAction *tileAction() const { return m_tile; }
    // The entries of the open windows, in the area's creation order.
    QList<QAction *> windowActions() const;
    // Rebuilds the list of open windows (done each time the menu opens).
    void refresh();

private:
    QMenu *m_menu = nullptr;
    QMdiArea *m_area = nullptr;
    QAction *m_cascade = nullptr;
    QAction *m_tile = nullptr;
    QAction *m_separator = nullptr;
};

} // namespace lumetra
