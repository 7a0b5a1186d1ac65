#include "workspace/WorkspaceMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

namespace lumetra {

namespace {

// The menu bar in order: a command (or a submenu, with `submenu` set) and the submenu it lies in
// (empty: the bar itself).
struct MenuEntry
{
    const char *name;
    const char *caption;
    const char *parent;
    bool submenu;
};

constexpr MenuEntry Entries[] = {
    {"filters", QT_TRANSLATE_NOOP("WorkspaceMenu", "图像滤镜"), "", true},
    {"blur1", QT_TRANSLATE_NOOP("WorkspaceMenu", "模糊1..."), "filters", false},
    {"blur2", QT_TRANSLATE_NOOP("WorkspaceMenu", "模糊2..."), "filters", false},
    {"sharpen1", QT_TRANSLATE_NOOP("WorkspaceMenu", "锐化1..."), "filters", false},
    {"sharpen2", QT_TRANSLATE_NOOP("WorkspaceMenu", "锐化2..."), "filters", false},
    {"diffuse", QT_TRANSLATE_NOOP("WorkspaceMenu", "Difuse..."), "filters", false},
    {"diffuseMore", QT_TRANSLATE_NOOP("WorkspaceMenu", "DifuseMore..."), "filters", false},
    {"horizontalCurve", QT_TRANSLATE_NOOP("WorkspaceMenu", "水平"), "", false},
    {"verticalCurve", QT_TRANSLATE_NOOP("WorkspaceMenu", "垂直"), "", false},
    {"surface3d", QT_TRANSLATE_NOOP("WorkspaceMenu", "三维图"), "", true},
    {"drawSurface", QT_TRANSLATE_NOOP("WorkspaceMenu", "制三维图"), "surface3d", false},
    {"clearSurface", QT_TRANSLATE_NOOP("WorkspaceMenu", "取消制三维图"), "surface3d", false},
    {"exportTable", QT_TRANSLATE_NOOP("WorkspaceMenu", "制表"), "", false},
    {"settings", QT_TRANSLATE_NOOP("WorkspaceMenu", "设置"), "", false},
    {"beamParameters", QT_TRANSLATE_NOOP("WorkspaceMenu", "光束参数"), "", false},
    {"calibrate", QT_TRANSLATE_NOOP("WorkspaceMenu", "标定"), "", false},
    {"placementOptions", QT_TRANSLATE_NOOP("WorkspaceMenu", "选项"), "", false},
};

} // namespace

WorkspaceMenu::WorkspaceMenu(QWidget *owner) : QObject(owner), m_bar(new QMenuBar(owner))
{
    m_bar->setObjectName(QStringLiteral("menuBar"));
    m_bar->setNativeMenuBar(false);

    QHash<QString, QMenu *> submenus;
    for (const MenuEntry &e : Entries) {
        const QString name = QLatin1String(e.name),
                      caption = QCoreApplication::translate("WorkspaceMenu", e.caption);
        if (e.submenu) {
            submenus.insert(name, addSubmenu(name, caption));
            continue;
        }
        QWidget *parent = *e.parent ? static_cast<QWidget *>(submenus.value(QLatin1String(e.parent)))
                                    : static_cast<QWidget *>(m_bar);
        addCommand(parent, name, caption);
    }
}

const QStringList &WorkspaceMenu::controlNames()
{
    static const QStringList names = [] {
        QStringList all;
        for (const MenuEntry &e : Entries)
            all << QLatin1String(e.name);
        return all;
    }();
    return names;
}

QAction *WorkspaceMenu::addCommand(QWidget *menu, const QString &name, const QString &caption)
{
    auto *action = new QAction(caption, menu);
    action->setObjectName(name);
    menu->addAction(action);
    m_items.insert(name, action);
    return action;
}

QMenu *WorkspaceMenu::addSubmenu(const QString &name, const QString &caption)
{
    QMenu *menu = m_bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    m_items.insert(name, menu->menuAction());
    return menu;
}

void WorkspaceMenu::applyLoadedStates()
{
    for (const char *name : {"horizontalCurve", "filters", "verticalCurve", "surface3d"})
        m_items.value(QLatin1String(name))->setEnabled(true);
    for (const char *name : {"exportTable", "clearSurface"})
        m_items.value(QLatin1String(name))->setEnabled(false);
}

} // namespace lumetra
