#pragma once

#include "capture/live/FrameRateMeter.h"
#include "capture/live/LiveHistory.h"
#include "capture/live/LiveMeasurer.h"

#include <QElapsedTimer>
#include <QObject>

class QTimer;
class QWidget;

namespace lumetra {

class CaptureCardControl;
class LiveOverlay;
class LivePanel;
class MonitorWindow;

// Live measurement of the capture window ("实时测量"): while it is on, every frame the video
// shows is handed to the measurer (frames dropped, never queued, when it falls behind); each
// result moves the ellipse over the video, rewrites the strip and goes into the minute of
// history the stability plots show. The rate of the frames shown is counted whether it is on
// or not.
class LiveMeasurement : public QObject
{
    Q_OBJECT

public:
    // The overlay goes over `video`, the panel into `panelParent` (hidden while off); lengths in µm
    // follow the calibration kept in `calibrationFile` (empty: the user's settings).
    LiveMeasurement(CaptureCardControl *video, QWidget *panelParent, QString calibrationFile = {},
                    QObject *parent = nullptr);
    ~LiveMeasurement() override;

    void setEnabled(bool on);
    // The calibration file changed: the next numbers are in its µm.
    void calibrationChanged();
    bool isEnabled() const { return m_enabled; }

    LivePanel *panel() const { return m_panel; }
    LiveOverlay *overlay() const { return m_overlay; }
    const LiveHistory &history() const { return m_history; }
    const LiveMeasurer &measurer() const { return *m_measurer; }
    // The long-term recording window ("记录…"), made when first asked for.
    MonitorWindow *monitorWindow();
    // Frames shown a second, over the last two seconds.
    double frameRate() const { return m_rate.rate(); }

signals:
    // Twice a second, the rate of the frames shown.
    void frameRateChanged(double framesPerSecond);

private:
    void frameShown();
    void measured(const LiveSample &sample);

    CaptureCardControl *m_video;
    LiveOverlay *m_overlay = nullptr;
    LivePanel *m_panel = nullptr;
    LiveMeasurer *m_measurer = nullptr;
    MonitorWindow *m_monitor = nullptr;
    LiveHistory m_history;
    FrameRateMeter m_rate;
    QElapsedTimer m_clock;
    QTimer *m_rateTimer = nullptr;
    QString m_calibrationFile;
    bool m_enabled = false;
};

} // namespace lumetra
