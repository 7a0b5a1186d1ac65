#include "capture/live/LiveMeasurement.h"

#include "capture/CaptureCardControl.h"
#include "capture/live/LiveOverlay.h"
#include "capture/live/LivePanel.h"
#include "capture/monitoring/MonitorWindow.h"
#include "devices/SimulatedCaptureDevice.h"
#include "platform/settings/Calibration.h"

#include <QTimer>

namespace lumetra {

LiveMeasurement::LiveMeasurement(CaptureCardControl *video, QWidget *panelParent, QString calibrationFile,
                                 QObject *parent)
    : QObject(parent), m_video(video), m_calibrationFile(std::move(calibrationFile))
{
    m_overlay = new LiveOverlay(video);
    m_overlay->hide();
    m_panel = new LivePanel(panelParent);
    m_panel->hide();
    connect(m_panel, &LivePanel::recordRequested, this, [this] {
        MonitorWindow *w = monitorWindow();
        if (m_showWindow) {
            m_showWindow(w);
            return;
        }
        w->show();
        w->raise();
    });
    m_measurer = new LiveMeasurer(this);
    m_measurer->setMeasuring(false);
    connect(m_measurer, &LiveMeasurer::measured, this, &LiveMeasurement::measured);
    connect(video, &CaptureCardControl::frameArrived, this, &LiveMeasurement::frameShown);
    video->setDeepTap([this](const std::shared_ptr<const DeepFrame> &frame) { deepFrameArrived(*frame); });
    m_clock.start();
    m_rateTimer = new QTimer(this);
    m_rateTimer->setInterval(500);
    connect(m_rateTimer, &QTimer::timeout, this, [this] { emit frameRateChanged(m_rate.rate()); });
    m_rateTimer->start();
}

// The video's deep frames stop coming here, then the worker is stopped (it finishes the frame it
// measures, no other); nothing else is touched, the video may be gone already.
LiveMeasurement::~LiveMeasurement()
{
    if (m_video)
        m_video->setDeepTap({});
    delete m_measurer;
    m_measurer = nullptr;
    // The recording window reports this measurement and nothing else: it ends with it.
    delete m_monitor;
}

void LiveMeasurement::setAveraging(int count)
{
    std::lock_guard lock(m_deepMutex);
    m_averager.setCount(count);
}

int LiveMeasurement::averaging() const
{
    std::lock_guard lock(m_deepMutex);
    return m_averager.count();
}

bool LiveMeasurement::collectDarkFrame(int count)
{
    if (!m_video || !m_video->deliversDeepFrames())
        return false;
    std::lock_guard lock(m_deepMutex);
    m_darkAverager.setCount(count);
    m_darkRemaining = m_darkAverager.count();
    return true;
}

void LiveMeasurement::clearDarkFrame()
{
    {
        std::lock_guard lock(m_deepMutex);
        m_darkRemaining = 0;
        m_hasDark = false;
        m_dark.reset();
    }
    m_measurer->setDarkFrame(nullptr);
}

std::shared_ptr<const beam::BeamFrame> LiveMeasurement::darkFrame() const
{
    std::lock_guard lock(m_deepMutex);
    return m_dark;
}

void LiveMeasurement::useDarkFrame(std::shared_ptr<const beam::BeamFrame> dark)
{
    {
        std::lock_guard lock(m_deepMutex);
        m_darkRemaining = 0;
        m_hasDark = dark != nullptr;
        m_dark = dark;
    }
    m_measurer->setDarkFrame(std::move(dark));
}

int LiveMeasurement::averagingProgress() const
{
    std::lock_guard lock(m_deepMutex);
    return m_averager.pending();
}

std::shared_ptr<const beam::BeamFrame> LiveMeasurement::lastMeasuredFrame() const
{
    std::lock_guard lock(m_deepMutex);
    return m_lastMeasured;
}

void LiveMeasurement::deepFrameArrived(const DeepFrame &frame)
{
    ++m_deepFrames;
    std::lock_guard lock(m_deepMutex);
    if (m_darkRemaining > 0) {
        beam::BeamFrame dark;
        if (m_darkAverager.add(frame, dark)) {
            m_darkRemaining = 0;
            m_hasDark = true;
            m_dark = std::make_shared<const beam::BeamFrame>(std::move(dark));
            m_measurer->setDarkFrame(m_dark);
            QMetaObject::invokeMethod(this, [this] { emit darkFrameReady(); }, Qt::QueuedConnection);
        }
        return; // the beam is blocked: nothing to measure
    }
    if (!m_measuring && !m_feeding)
        return;
    beam::BeamFrame mean;
    if (!m_averager.add(frame, mean))
        return;
    ++m_means;
    m_lastMeasured = std::make_shared<const beam::BeamFrame>(std::move(mean));
    m_measurer->submitDeep(m_lastMeasured);
}

void LiveMeasurement::setFrameJob(LiveMeasurer::Job job)
{
    m_feeding = bool(job);
    m_measurer->setJob(std::move(job));
}

void LiveMeasurement::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    m_measuring = on;
    m_measurer->setMeasuring(on);
    m_history.clear();
    m_panel->reset();
    m_overlay->showBeam(std::nullopt);
    if (on)
        m_panel->setCalibration(loadCalibration(m_calibrationFile));
    m_panel->setVisible(on);
    m_overlay->setVisible(on);
    if (on)
        m_overlay->raise();
}

void LiveMeasurement::calibrationChanged()
{
    if (m_enabled)
        m_panel->setCalibration(loadCalibration(m_calibrationFile));
    if (m_monitor)
        m_monitor->setCalibration(loadCalibration(m_calibrationFile).umPerPixel());
}

MonitorWindow *LiveMeasurement::existingMonitorWindow() const
{
    return m_monitor;
}

MonitorWindow *LiveMeasurement::monitorWindow()
{
    if (!m_monitor) {
        // A window of its own, owned by the video: it goes with this measurement, or with the
        // capture window and its device.
        m_monitor = new MonitorWindow(m_video);
        m_monitor->setCalibration(loadCalibration(m_calibrationFile).umPerPixel());
        if (auto *simulated = dynamic_cast<SimulatedCaptureDevice *>(&m_video->device()))
            m_monitor->setSimulatedMotion([simulated](double dx, double dy, double jitter) {
                simulated->setMotion(dx, dy, jitter);
            });
    }
    return m_monitor;
}

void LiveMeasurement::frameShown()
{
    m_rate.frameAt(m_clock.nsecsElapsed() / 1e9);
    if ((m_enabled || m_feeding) && !m_video->deliversDeepFrames())
        m_measurer->submit(m_video->currentFrame());
}

void LiveMeasurement::measured(const LiveSample &sample)
{
    if (!m_enabled)
        return; // measured before the switch went off
    const beam::BeamResult &r = sample.result;
    if (sample.error.isEmpty())
        m_overlay->showBeam(r);
    else
        m_overlay->showBeam(std::nullopt);
    if (r.status == beam::BeamStatus::Ok)
        m_history.add({sample.seconds, r.centroidX, r.centroidY, r.dX, r.dY});
    m_panel->showSample(sample, m_history);
    if (m_monitor)
        m_monitor->offer(sample, m_measurer->dropped());
}

} // namespace lumetra
