#include "workspace/WorkspaceMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

namespace lumetra {

WorkspaceMenu::WorkspaceMenu(QWidget *owner) : QObject(owner), m_bar(new QMenuBar(owner))
{
    m_bar->setObjectName(QStringLiteral("CurtMenu1"));
    m_bar->setNativeMenuBar(false);

    QMenu *filters = addSubmenu(QStringLiteral("imagelj"), QStringLiteral("图像滤镜"));
    addCommand(filters, QStringLiteral("mohu1"), QStringLiteral("模糊1..."));
    addCommand(filters, QStringLiteral("mohu2"), QStringLiteral("模糊2..."));
    addCommand(filters, QStringLiteral("ruihuai1"), QStringLiteral("锐化1..."));
    addCommand(filters, QStringLiteral("ruihuai2"), QStringLiteral("锐化2..."));
    addCommand(filters, QStringLiteral("Difuse1"), QStringLiteral("Difuse..."));
    addCommand(filters, QStringLiteral("DifuseMore"), QStringLiteral("DifuseMore..."));
    addCommand(m_bar, QStringLiteral("shuipin"), QStringLiteral("水平"));
    addCommand(m_bar, QStringLiteral("cuizi"), QStringLiteral("垂直"));
    QMenu *region = addSubmenu(QStringLiteral("shanwei"), QStringLiteral("三维图"));
    addCommand(region, QStringLiteral("shanwie1"), QStringLiteral("制三维图"));
    addCommand(region, QStringLiteral("shanwie2"), QStringLiteral("取消制三维图"));
    addCommand(m_bar, QStringLiteral("zhibiao"), QStringLiteral("制表"));
    addCommand(m_bar, QStringLiteral("configtext"), QStringLiteral("设置"));
    addCommand(m_bar, QStringLiteral("xuanxiang"), QStringLiteral("选项"));
}

const QStringList &WorkspaceMenu::controlNames()
{
    static const QStringList names = {
        QStringLiteral("imagelj"),    QStringLiteral("mohu1"),     QStringLiteral("mohu2"),
        QStringLiteral("ruihuai1"),   QStringLiteral("ruihuai2"),  QStringLiteral("Difuse1"),
        QStringLiteral("DifuseMore"), QStringLiteral("shuipin"),   QStringLiteral("cuizi"),
        QStringLiteral("shanwei"),    QStringLiteral("shanwie1"),  QStringLiteral("shanwie2"),
        QStringLiteral("zhibiao"),    QStringLiteral("configtext"), QStringLiteral("xuanxiang")};
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
    for (const char *name : {"shuipin", "imagelj", "cuizi", "shanwei"})
        m_items.value(QLatin1String(name))->setEnabled(true);
    for (const char *name : {"zhibiao", "shanwie2"})
        m_items.value(QLatin1String(name))->setEnabled(false);
}

} // namespace lumetra
