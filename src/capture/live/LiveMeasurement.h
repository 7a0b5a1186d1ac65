#pragma once

#include "capture/live/FrameRateMeter.h"
#include "capture/live/LiveHistory.h"
#include "capture/live/LiveMeasurer.h"

#include "devices/FrameAverager.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

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
    LiveMeasurer &measurer() { return *m_measurer; }
    // The long-term recording window ("记录…"), made when first asked for.
    MonitorWindow *monitorWindow();
    // The recording window if it was made, else null.
    MonitorWindow *existingMonitorWindow() const;
    // How "记录…" shows the recording window (default: as a window of its own).
    void setWindowShower(std::function<void(QWidget *)> show) { m_showWindow = std::move(show); }
    // Frames shown a second, over the last two seconds.
    double frameRate() const { return m_rate.rate(); }

    // Another window's work on every frame taken here (see CaptureFramePort::setFrameJob), on
    // the measurement's worker, whether "实时测量" is on or not.
    void setFrameJob(LiveMeasurer::Job job);

    // A camera with deep frames is measured on its own samples, every frame (not only those
    // shown), each measurement the mean of `count` frames (1..64).
    void setAveraging(int count);
    int averaging() const;
    // Frames in the mean being made now (0..averaging()-1), and means made since construction.
    int averagingProgress() const;
    long long meansMade() const { return m_means; }
    // Whether frames are being taken for measurement (实时测量 or another window's frame job).
    bool isTakingFrames() const { return m_measuring || m_feeding; }
    // Averages the next `count` frames into the dark frame the measurement subtracts
    // (darkFrameReady follows); a camera without deep frames has none.
    bool collectDarkFrame(int count);
    void clearDarkFrame();
    bool hasDarkFrame() const { return m_hasDark; }
    // The dark frame in use (null: none); one collected earlier at the settings in force is
    // used again as it was.
    std::shared_ptr<const beam::BeamFrame> darkFrame() const;
    void useDarkFrame(std::shared_ptr<const beam::BeamFrame> dark);
    // The newest mean handed to the measurement (null before the first).
    std::shared_ptr<const beam::BeamFrame> lastMeasuredFrame() const;
    // Camera frames taken at their own depth since construction (every one, shown or not).
    long long deepFrameCount() const { return m_deepFrames; }

signals:
    // Twice a second, the rate of the frames shown.
    void frameRateChanged(double framesPerSecond);
    // The dark frame is collected and in use.
    void darkFrameReady();

private:
    void frameShown();
    void measured(const LiveSample &sample);
    void deepFrameArrived(const DeepFrame &frame); // streaming thread

    QPointer<CaptureCardControl> m_video;
    LiveOverlay *m_overlay = nullptr;
    LivePanel *m_panel = nullptr;
    LiveMeasurer *m_measurer = nullptr;
    QPointer<MonitorWindow> m_monitor; // goes with this measurement, or with the video before it
    std::function<void(QWidget *)> m_showWindow;
    LiveHistory m_history;
    FrameRateMeter m_rate;
    QElapsedTimer m_clock;
    QTimer *m_rateTimer = nullptr;
    QString m_calibrationFile;
    bool m_enabled = false;
    std::atomic<bool> m_measuring{false}; // m_enabled, for the streaming thread
    std::atomic<bool> m_feeding{false};   // a frame job is set
    std::atomic<long long> m_deepFrames{0};
    std::atomic<long long> m_means{0};
    mutable std::mutex m_deepMutex;        // the averagers and the last frame
    FrameAverager m_averager;
    FrameAverager m_darkAverager;
    int m_darkRemaining = 0;
    bool m_hasDark = false;
    std::shared_ptr<const beam::BeamFrame> m_dark;
    std::shared_ptr<const beam::BeamFrame> m_lastMeasured;
};

} // namespace lumetra
