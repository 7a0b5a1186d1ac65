#pragma once

#include "devices/CameraControls.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace lumetra {

// "相机设置": the GenICam camera's exposure (µs), gain, frame rate, pixel format, binning and
// region, each bounded by the camera's own limits. 应用 sets what changed, reads everything back
// from the camera (the fields then show what it took) and lists any refusal; the settings in
// force are remembered for the camera's serial number.
class CameraSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CameraSettingsDialog(CameraControls &camera, QWidget *parent = nullptr);

    // Applies the fields; the refusals (empty: all taken).
    QStringList apply();

    QDoubleSpinBox *exposure() const { return m_exposure; }
    QDoubleSpinBox *gain() const { return m_gain; }
    QDoubleSpinBox *frameRate() const { return m_frameRate; }
    QComboBox *pixelFormat() const { return m_pixelFormat; }
    QSpinBox *binning() const { return m_binning; }
    QSpinBox *roi(int i) const { return m_roi[i]; } // x, y, width, height
    QLabel *status() const { return m_status; }

private:
    void showSettings();

    CameraControls &m_camera;
    CameraLimits m_limits;
    QDoubleSpinBox *m_exposure = nullptr;
    QDoubleSpinBox *m_gain = nullptr;
    QDoubleSpinBox *m_frameRate = nullptr;
    QComboBox *m_pixelFormat = nullptr;
    QSpinBox *m_binning = nullptr;
    QSpinBox *m_roi[4] = {};
    QLabel *m_status = nullptr;
};

} // namespace lumetra
