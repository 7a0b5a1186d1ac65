#pragma once

#include <QDateTime>
#include <QObject>

class QLabel;
class QTimer;

namespace lumetra {

class CameraMenu;
class CaptureWindow;

// Watches the camera behind the capture window: when it stops answering, the picture on show is
// greyed, the status bar says "相机无应答" with the time, the frame rate reads 0 and the camera is
// opened again every few seconds until it answers (with its remembered settings).
class CameraWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int RetryMs = 3000;

    CameraWatch(CaptureWindow &window, CameraMenu &menu);

    // The camera stopped answering at `when`.
    void cameraLost(const QDateTime &when = QDateTime::currentDateTime());
    // The camera answers again (reconnected by hand or by the retry).
    void cameraBack();
    bool isLost() const { return m_lost; }
    QLabel *label() const { return m_label; }
    // Tests: retry sooner.
    void setRetryInterval(int ms);

private:
    void retry();

    CaptureWindow &m_window;
    CameraMenu &m_menu;
    QLabel *m_label = nullptr;
    QTimer *m_timer = nullptr;
    bool m_lost = false;
};

} // namespace lumetra
