#include "workspace/WorkspaceMenu.h"

#include <QAction>
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
    {"filters", "图像滤镜", "", true},
    {"blur1", "模糊1...", "filters", false},
    {"blur2", "模糊2...", "filters", false},
    {"sharpen1", "锐化1...", "filters", false},
    {"sharpen2", "锐化2...", "filters", false},
    {"diffuse", "Difuse...", "filters", false},
    {"diffuseMore", "DifuseMore...", "filters", false},
    {"horizontalCurve", "水平", "", false},
    {"verticalCurve", "垂直", "", false},
    {"surface3d", "三维图", "", true},
    {"drawSurface", "制三维图", "surface3d", false},
    {"clearSurface", "取消制三维图", "surface3d", false},
    {"exportTable", "制表", "", false},
    {"settings", "设置", "", false},
    {"beamParameters", "光束参数", "", false},
    {"calibrate", "标定", "", false},
    {"placementOptions", "选项", "", false},
};

} // namespace

WorkspaceMenu::WorkspaceMenu(QWidget *owner) : QObject(owner), m_bar(new QMenuBar(owner))
{
    m_bar->setObjectName(QStringLiteral("menuBar"));
    m_bar->setNativeMenuBar(false);

    QHash<QString, QMenu *> submenus;
    for (const MenuEntry &e : Entries) {
        const QString name = QLatin1String(e.name), caption = QString::fromUtf8(e.caption);
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
