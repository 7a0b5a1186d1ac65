#include "capture/CardCrossbarDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumetra {

CardCrossbarDialog::CardCrossbarDialog(CaptureDevice &device, QWidget *parent)
    : QDialog(parent), m_device(device)
{
    setWindowTitle(tr("通道选择"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("视频输入："), this));
    m_list = new QListWidget(this);
    m_list->addItems(m_device.inputNames());
    m_list->setCurrentRow(m_device.input());
    layout->addWidget(m_list);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void CardCrossbarDialog::accept()
{
    if (m_list->currentRow() >= 0)
        m_device.setInput(m_list->currentRow());
    QDialog::accept();
}

} // namespace lumetra
