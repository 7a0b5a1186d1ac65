#include "app/frmWaiting.h"

#include <QGroupBox>
#include <QProgressBar>
#include <QVBoxLayout>

namespace lumetra {

frmWaiting::frmWaiting(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_bar(new QProgressBar)
{
    setObjectName(QStringLiteral("frmWaiting"));
    setWindowTitle(QStringLiteral("Lumetra"));
    setFixedSize(380, 96);
    setCursor(Qt::WaitCursor);

    auto *frame = new QGroupBox(QStringLiteral("Applying filter. Please, wait."), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    auto *inner = new QVBoxLayout(frame);
    inner->addWidget(m_bar);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 8, 10, 10);
    outer->addWidget(frame);
}

} // namespace lumetra
