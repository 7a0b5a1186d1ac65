#include "app/frmjindu.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace lumetra {

frmjindu::frmjindu(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_label(new QLabel(defaultCaption())), m_bar(new QProgressBar)
{
    setObjectName(QStringLiteral("frmjindu"));
    setWindowTitle(QStringLiteral("Lumetra"));
    setFixedSize(380, 84);

    m_label->setObjectName(QStringLiteral("Label1"));
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 12);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
}

QString frmjindu::defaultCaption()
{
    return QStringLiteral("正在读取灰度值");
}

} // namespace lumetra
