#include "capture/CardPropertyDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace lumetra {

CardPropertyDialog::CardPropertyDialog(CaptureDevice &device, QWidget *parent)
    : QDialog(parent), m_device(device)
{
    setWindowTitle(tr("视频属性"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    layout->addLayout(grid);
    const QList<DeviceControl> controls = m_device.controls();
    if (controls.isEmpty())
        grid->addWidget(new QLabel(tr("此设备没有可调节的视频属性。"), this), 0, 0);
    for (const DeviceControl &c : controls) {
        const int row = int(m_rows.size());
        Row r;
        r.control = c;
        grid->addWidget(new QLabel(c.name, this), row, 0);
        if (c.isBoolean) {
            r.check = new QCheckBox(this);
            grid->addWidget(r.check, row, 1);
            connect(r.check, &QCheckBox::toggled, this, [this, row](bool on) { write(row, on ? 1 : 0); });
        } else {
            auto *slider = new QSlider(Qt::Horizontal, this);
            slider->setRange(c.minimum, c.maximum);
            slider->setSingleStep(c.step);
            slider->setPageStep(std::max(c.step, (c.maximum - c.minimum) / 10));
            slider->setTracking(false);
            slider->setMinimumWidth(240);
            r.slider = slider;
            grid->addWidget(slider, row, 1);
            connect(slider, &QSlider::valueChanged, this, [this, row](int v) { write(row, v); });
        }
        r.value = new QLabel(this);
        r.value->setMinimumWidth(48);
        grid->addWidget(r.value, row, 2);
        m_rows << r;
    }
    m_refusal = new QLabel(this);
    m_refusal->setWordWrap(true);
    m_refusal->setStyleSheet(QStringLiteral("color: #b00000"));
    m_refusal->hide();
    layout->addWidget(m_refusal);
    auto *buttons = new QDialogButtonBox(this);
    m_defaults = buttons->addButton(tr("默认值"), QDialogButtonBox::ResetRole);
    QPushButton *close = buttons->addButton(tr("关闭"), QDialogButtonBox::AcceptRole);
    connect(m_defaults, &QPushButton::clicked, this, &CardPropertyDialog::restoreDefaults);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    refresh();
}

QString CardPropertyDialog::rowName(int row) const
{
    return m_rows.value(row).control.name;
}
QAbstractSlider *CardPropertyDialog::slider(int row) const
{
    return m_rows.value(row).slider;
}
QCheckBox *CardPropertyDialog::checkBox(int row) const
{
    return m_rows.value(row).check;
}
QLabel *CardPropertyDialog::valueLabel(int row) const
{
    return m_rows.value(row).value;
}

void CardPropertyDialog::write(int row, int value)
{
    m_device.setControl(m_rows[row].control.id, value);
    showRefusals({m_device.lastSettingRefusal()});
    refresh();
}

void CardPropertyDialog::refresh()
{
    const QList<DeviceControl> now = m_device.controls();
    for (Row &r : m_rows) {
        for (const DeviceControl &c : now) {
            if (c.id != r.control.id)
                continue;
            r.control.value = c.value;
            if (r.slider) {
                const QSignalBlocker block(r.slider);
                r.slider->setValue(c.value);
            }
            if (r.check) {
                const QSignalBlocker block(r.check);
                r.check->setChecked(c.value != 0);
            }
            r.value->setText(QString::number(c.value));
        }
    }
}

void CardPropertyDialog::showRefusals(QStringList refusals)
{
    refusals.removeAll(QString());
    m_refusal->setText(refusals.join(u'\n'));
    m_refusal->setVisible(!refusals.isEmpty());
}

void CardPropertyDialog::restoreDefaults()
{
    QStringList refusals;
    for (const Row &r : std::as_const(m_rows)) {
        m_device.setControl(r.control.id, r.control.defaultValue);
        refusals << m_device.lastSettingRefusal();
    }
    showRefusals(refusals);
    refresh();
}

} // namespace lumetra
