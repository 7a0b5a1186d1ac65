#pragma once

#include "platform/ports/AppContext.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace lumetra {

// The About box: the program's icon, title and version, a button that closes it and one that
// starts the desktop's system-information program. A new box is made for every help command
// and is destroyed when it closes.
class AboutDialog : public QWidget
{
    Q_OBJECT

public:
    explicit AboutDialog(AppContext &context, QWidget *parent = nullptr);

    static QString applicationTitle();
    // "版本 " followed by major.minor.revision of the program.
    static QString versionText();

    void cmdOK_Click();
    void cmdSysInfo_Click();

    QLabel *lblTitle() const { return m_lblTitle; }
    QLabel *lblVersion() const { return m_lblVersion; }
    QPushButton *cmdOK() const { return m_cmdOK; }
    QPushButton *cmdSysInfo() const { return m_cmdSysInfo; }

private:
    AppContext &m_context;
    QLabel *m_picIcon;
    QLabel *m_lblTitle;
    QLabel *m_lblVersion;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdSysInfo;
};

} // namespace lumetra
