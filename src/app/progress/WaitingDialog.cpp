#include "app/progress/WaitingDialog.h"
#include "app/progress/PercentBar.h"

#include <QGroupBox>
#include <QProgressBar>
#include <QVBoxLayout>

namespace lumetra {

WaitingDialog::WaitingDialog(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_bar(makePercentBar())
{
    setObjectName(QStringLiteral("WaitingDialog"));
    setWindowTitle(QStringLiteral("Lumetra"));
    setFixedSize(380, 96);
    setCursor(Qt::WaitCursor);

    auto *frame = new QGroupBox(QStringLiteral("Applying filter. Please, wait."), this);
    frame->setObjectName(QStringLiteral("frame"));
    auto *inner = new QVBoxLayout(frame);
    inner->addWidget(m_bar);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 8, 10, 10);
    outer->addWidget(frame);
}

} // namespace lumetra
