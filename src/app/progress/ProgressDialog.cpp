#include "app/progress/ProgressDialog.h"
#include "app/progress/PercentBar.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace lumetra {

ProgressDialog::ProgressDialog(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_label(new QLabel(defaultCaption())), m_bar(makePercentBar())
{
    setObjectName(QStringLiteral("ProgressDialog"));
    setWindowTitle(QStringLiteral("Lumetra"));
    setFixedSize(380, 84);

    m_label->setObjectName(QStringLiteral("caption"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 12);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
}

QString ProgressDialog::defaultCaption()
{
    return tr("正在读取灰度值");
}

} // namespace lumetra
