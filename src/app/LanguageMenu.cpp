#include "app/LanguageMenu.h"

#include "platform/system/InterfaceLanguage.h"

#include <QActionGroup>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace lumetra {

LanguageMenu::LanguageMenu(QMenuBar *bar, QAction *before, QStatusBar *status) : QObject(bar)
{
    m_menu = new QMenu(tr("选项"), bar);
    m_menu->menuAction()->setObjectName(QStringLiteral("options_menu"));
    bar->insertMenu(before, m_menu);
    // The Chinese face names the menu in English too, and each language keeps its own name, so
    // that either face can find its way back.
    QMenu *languages = m_menu->addMenu(tr("语言 / Language"));
    languages->menuAction()->setObjectName(QStringLiteral("options_language"));
    auto *group = new QActionGroup(this);
    const InterfaceLanguage current =
        QLocale().language() == QLocale::English ? InterfaceLanguage::English : InterfaceLanguage::Chinese;
    for (const auto &[language, name, objectName] :
         {std::tuple{InterfaceLanguage::Chinese, QStringLiteral("中文"), QStringLiteral("language_zh")},
          std::tuple{InterfaceLanguage::English, QStringLiteral("English"), QStringLiteral("language_en")}}) {
        QAction *item = languages->addAction(name);
        item->setObjectName(objectName);
        item->setCheckable(true);
        item->setChecked(language == current);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [language, status] {
            if (!saveInterfaceLanguage(language)) {
                status->showMessage(tr("无法保存语言：设置文件不可写。"), 10000);
                return;
            }
            status->showMessage(language == InterfaceLanguage::English
                                    ? QStringLiteral("Lumetra speaks English from its next start.")
                                    : QStringLiteral("Lumetra 下次启动时使用中文界面。"),
                                10000);
        });
    }
}

} // namespace lumetra
