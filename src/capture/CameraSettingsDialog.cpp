#include "capture/CameraSettingsDialog.h"

#include "analysis/NumberText.h"

#include "devices/CameraSettingsStore.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <functional>

namespace lumetra {

namespace {

QDoubleSpinBox *numberBox(const SettingRange &range, int decimals, const QString &name)
{
    auto *box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setDecimals(decimals);
    box->setRange(range.minimum, range.maximum);
    box->setEnabled(range.available);
    return box;
}

} // namespace

CameraSettingsDialog::CameraSettingsDialog(CameraControls &camera, QWidget *parent)
    : QDialog(parent), m_camera(camera), m_limits(camera.limits())
{
    const CameraIdentity who = camera.identity();
    setWindowTitle(tr("相机设置 — %1 %2 (%3)").arg(who.vendor, who.model, who.serial));
    auto *form = new QFormLayout;
    m_exposure = numberBox(m_limits.exposureUs, 1, QStringLiteral("exposure"));
    m_gain = numberBox(m_limits.gain, 2, QStringLiteral("gain"));
    m_frameRate = numberBox(m_limits.frameRate, 2, QStringLiteral("frameRate"));
    // Ranges as people read them: exposure in µs, ms or s, other values without exponents.
    const auto range = [](const SettingRange &r, const std::function<QString(double)> &text = numberText) {
        return r.available ? QStringLiteral("  (%1 – %2)").arg(text(r.minimum), text(r.maximum)) : tr("  (无)");
    };
    form->addRow(tr("曝光时间 (µs)") + range(m_limits.exposureUs, durationText), m_exposure);
    form->addRow(tr("增益") + range(m_limits.gain), m_gain);
    form->addRow(tr("帧率 (帧/秒)") + range(m_limits.frameRate), m_frameRate);
    m_pixelFormat = new QComboBox;
    m_pixelFormat->setObjectName(QStringLiteral("pixelFormat"));
    m_pixelFormat->addItems(m_limits.pixelFormats);
    form->addRow(tr("像素格式"), m_pixelFormat);
    m_binning = new QSpinBox;
    m_binning->setObjectName(QStringLiteral("binning"));
    m_binning->setRange(int(m_limits.binning.available ? m_limits.binning.minimum : 1),
                        int(m_limits.binning.available ? m_limits.binning.maximum : 1));
    m_binning->setEnabled(m_limits.binning.available);
    form->addRow(tr("像素合并") + range(m_limits.binning), m_binning);
    auto *roiRow = new QHBoxLayout;
    const char *roiNames[] = {"roiX", "roiY", "roiWidth", "roiHeight"};
    for (int i = 0; i < 4; ++i) {
        m_roi[i] = new QSpinBox;
        m_roi[i]->setObjectName(QString::fromLatin1(roiNames[i]));
        m_roi[i]->setRange(i < 2 ? 0 : 1, std::max(1, i % 2 == 0 ? m_limits.sensorWidth : m_limits.sensorHeight));
        roiRow->addWidget(m_roi[i]);
    }
    form->addRow(tr("感兴趣区域 x, y, 宽, 高 (传感器 %1 × %2)").arg(m_limits.sensorWidth).arg(m_limits.sensorHeight),
                 roiRow);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Apply | QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Apply)->setText(tr("应用"));
    buttons->button(QDialogButtonBox::Close)->setText(tr("关闭"));
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] { apply(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    showSettings();
}

void CameraSettingsDialog::showSettings()
{
    const CameraSettings s = m_camera.settings();
    m_exposure->setValue(s.exposureUs);
    m_gain->setValue(s.gain);
    m_frameRate->setValue(s.frameRate);
    m_pixelFormat->setCurrentText(s.pixelFormat);
    m_binning->setValue(s.binning);
    const int roi[4] = {s.roi.x(), s.roi.y(), s.roi.width(), s.roi.height()};
    for (int i = 0; i < 4; ++i)
        m_roi[i]->setValue(roi[i]);
}

QStringList CameraSettingsDialog::apply()
{
    CameraSettings wanted;
    wanted.exposureUs = m_exposure->value();
    wanted.gain = m_gain->value();
    wanted.frameRate = m_frameRate->value();
    wanted.pixelFormat = m_pixelFormat->currentText();
    wanted.binning = m_binning->value();
    wanted.roi = QRect(m_roi[0]->value(), m_roi[1]->value(), m_roi[2]->value(), m_roi[3]->value());
    const QStringList refusals = applyCameraSettings(m_camera, wanted);
    showSettings();
    const CameraSettings taken = m_camera.settings();
    saveCameraSettings(m_camera.identity().serial, taken);
    m_status->setText(refusals.isEmpty() ? tr("相机已采用这些设置。") : refusals.join(QLatin1Char('\n')));
    return refusals;
}

} // namespace lumetra
