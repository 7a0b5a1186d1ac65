#include "capture/CardPreviewDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace lumetra {

CardPreviewDialog::CardPreviewDialog(CaptureDevice &device, QWidget *parent)
    : QDialog(parent), m_device(device), m_offered(device.frameSizes())
{
    setWindowTitle(tr("显示属性"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_sizes = new QComboBox(this);
    const VideoFormat now = m_device.format();
    for (const QSize &s : std::as_const(m_offered)) {
        m_sizes->addItem(QStringLiteral("%1 x %2").arg(s.width()).arg(s.height()));
        if (s == QSize(now.width, now.height))
            m_sizes->setCurrentIndex(m_sizes->count() - 1);
    }
    form->addRow(tr("图像尺寸："), m_sizes);
    layout->addLayout(form);
    m_status = new QLabel(this);
    layout->addWidget(m_status);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    ok->setEnabled(!m_offered.isEmpty());
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CardPreviewDialog::accept()
{
    const int index = m_sizes->currentIndex();
    if (index < 0 || index >= m_offered.size())
        return;
    const QSize size = m_offered[index];
    const VideoFormat now = m_device.format();
    if (size != QSize(now.width, now.height) &&
        !m_device.setFormat(size.width(), size.height(), now.subtype)) {
        m_status->setText(tr("设备不接受此尺寸。"));
        return;
    }
    QDialog::accept();
}

} // namespace lumetra
