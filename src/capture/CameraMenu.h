#pragma once

#include <QObject>
#include <QString>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace lumetra {

class CameraControls;
class CaptureWindow;

// The capture window's "相机" menu and its status-bar count of dropped frames: the device
// choice (V4L2 card, GenICam cameras, simulated camera), the camera's settings, 自动曝光,
// 平均 N, 采集暗场, the caustic series, 存为… at the camera's depth and reconnecting a camera
// that went away.
class CameraMenu : public QObject
{
    Q_OBJECT

public:
    explicit CameraMenu(CaptureWindow &window);

    // Puts the device `id` behind the window (see openCaptureDevice) and starts it; its
    // remembered settings are applied. False, after saying why, when it cannot be opened.
    // The device on show chosen again is left as it is (or opened again when it went away).
    bool chooseDevice(const QString &id);
    void showCameraSettings();
    void autoExposure();
    void chooseAveraging();
    void collectDark();
    void newCausticSeries();
    void grabCausticFrame();
    void saveFrame();
    // Opens the camera again and sets its remembered settings; Quietly: no message on failure
    // (the retries while a camera does not answer). False when it cannot be opened.
    enum Mode { Loudly, Quietly };
    bool reconnect(Mode mode = Loudly);

    // Sets the settings remembered for the camera behind the window (nothing for other devices),
    // saying which it refused.
    void restoreSettings();

    QString causticFolder() const { return m_causticFolder; }
    QLabel *droppedLabel() const { return m_dropped; }
    // "平均 N 帧：k/N，已平均 M 组" while averaging more than one frame ("未测量时不平均" when no
    // measurement takes frames); hidden at 1.
    QLabel *averagingLabel() const { return m_averagingLabel; }
    // The dropped-frame count shown now.
    void refreshDropped();

signals:
    // The outcome of 自动曝光 (user-interface thread).
    void autoExposureFinished(bool found, const QString &message);

private:
    CameraControls *camera() const;
    bool isCurrent(const QString &id) const;
    void fillDeviceMenu();
    void updateEnabled();
    void message(const QString &text);

    CaptureWindow &m_window;
    QMenu *m_menu = nullptr;
    QMenu *m_devices = nullptr;
    QLabel *m_dropped = nullptr;
    QLabel *m_averagingLabel = nullptr;
    QTimer *m_timer = nullptr;
    QString m_causticFolder;
    QString m_currentId; // the id the device on show was chosen by
};

} // namespace lumetra
