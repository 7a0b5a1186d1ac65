#include "app/AboutDialog.h"

#include "app/AppResources.h"
#include "app/SystemInfoTool.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace lumetra {

AboutDialog::AboutDialog(AppContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), m_picIcon(new QLabel(this)), m_lblTitle(new QLabel(this)),
      m_lblVersion(new QLabel(this)), m_cmdOK(new QPushButton(tr("确定"), this)),
      m_cmdSysInfo(new QPushButton(tr("系统信息(&S)..."), this))
{
    initAppResources();
    setObjectName(QStringLiteral("AboutDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("关于 %1").arg(applicationTitle()));
    setWindowIcon(QIcon(QStringLiteral(":/lumetra.png")));
    setFixedSize(420, 200);

    m_picIcon->setObjectName(QStringLiteral("picIcon"));
    m_picIcon->setPixmap(QPixmap(QStringLiteral(":/lumetra.png"))
                             .scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_picIcon->setGeometry(16, 16, 48, 48);

    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    m_lblTitle->setText(applicationTitle());
    QFont titleFont = m_lblTitle->font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);
    m_lblTitle->setGeometry(84, 14, 320, 34);

    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));
    m_lblVersion->setText(versionText());
    m_lblVersion->setGeometry(84, 52, 320, 22);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, 100, 404, 4);

    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdOK->setGeometry(300, 118, 104, 28);
    m_cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    m_cmdSysInfo->setGeometry(300, 156, 104, 28);

    connect(m_cmdOK, &QPushButton::clicked, this, &AboutDialog::cmdOK_Click);
    connect(m_cmdSysInfo, &QPushButton::clicked, this, &AboutDialog::cmdSysInfo_Click);
}

QString AboutDialog::applicationTitle()
{
    return QStringLiteral("Lumetra");
}

QString AboutDialog::versionText()
{
    return tr("版本 %1.%2.%3")
        .arg(LUMETRA_VERSION_MAJOR)
        .arg(LUMETRA_VERSION_MINOR)
        .arg(LUMETRA_VERSION_PATCH);
}

void AboutDialog::cmdOK_Click()
{
    childWindowFrame(this)->close();
}

void AboutDialog::cmdSysInfo_Click()
{
    if (!m_context.services.dialogs)
        return;
    startSystemInfo(m_context.services.launcher, *m_context.services.dialogs, this);
}

} // namespace lumetra
