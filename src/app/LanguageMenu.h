#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;
class QStatusBar;

namespace lumetra {

// 选项 → 语言 / Language: Chinese or English for the next start, kept in lumetra.ini.
class LanguageMenu : public QObject
{
    Q_OBJECT
public:
    // Adds "选项" before `before` (the menu bar's last items) and says in `status` what a choice does.
    LanguageMenu(QMenuBar *bar, QAction *before, QStatusBar *status);

    QMenu *menu() const { return m_menu; }

private:
    QMenu *m_menu = nullptr;
};

} // namespace lumetra
