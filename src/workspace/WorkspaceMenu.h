#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace lumetra {

// The menu bar of the image workspace. Every item is a QAction whose objectName is the item's
// control name ("filters", "blur1", ... "settings"); the two top-level items with a submenu
// ("filters", "surface3d") are the menu actions of their submenus.
class WorkspaceMenu : public QObject
{
    Q_OBJECT

public:
    explicit WorkspaceMenu(QWidget *owner);

    QMenuBar *bar() const { return m_bar; }
    // The item with this control name, or nullptr.
    QAction *item(const QString &controlName) const { return m_items.value(controlName); }
    // Every control name, in menu order.
    static const QStringList &controlNames();

    // The states right after the workspace has loaded its picture: everything enabled except
    // the table export and the command that leaves region mode.
    void applyLoadedStates();

private:
    QAction *addCommand(QWidget *menu, const QString &name, const QString &caption);
    QMenu *addSubmenu(const QString &name, const QString &caption);

    QMenuBar *m_bar;
    QHash<QString, QAction *> m_items;
};

} // namespace lumetra
