#include "cli/MonitorRun.h"

#include "cli/DeviceStream.h"

#include "analysis/monitoring/MonitorLogRow.h"
#include "devices/CameraControls.h"
#include "devices/FrameAverager.h"
#include "devices/SimulatedCaptureDevice.h"
#include "platform/framefiles/FrameFile.h"


namespace lumetra::cli {

namespace {

using monitoring::MonitorLogRow;

// The camera's exposure and gain: a scientific camera's own settings (µs), else the controls by
// those names (read at most once a second).
class DeviceReadings
{
public:
    explicit DeviceReadings(CaptureDevice &device) : m_device(device) {}

    void refresh(double t)
    {
        if (t < m_next)
            return;
        m_next = t + 1.0;
        m_exposure.reset();
        m_gain.reset();
        if (CameraControls *camera = m_device.cameraControls()) {
            const CameraReadings readings = readCamera(*camera);
            m_exposure = readings.exposureUs;
            m_gain = readings.gain;
            return;
        }
        for (const DeviceControl &c : m_device.controls()) {
            const QString name = c.name.toLower();
            if (!m_exposure && name.contains(QLatin1String("exposure")) && !c.isBoolean)
                m_exposure = c.value;
            else if (!m_gain && name.contains(QLatin1String("gain")) && !c.isBoolean)
                m_gain = c.value;
        }
    }
    std::optional<double> exposure() const { return m_exposure; }
    std::optional<double> gain() const { return m_gain; }

private:
    CaptureDevice &m_device;
    double m_next = 0;
    std::optional<double> m_exposure, m_gain;
};

struct Kept
{
    long long frame;
    double t;
    long long dropped;
};

void keep(const Kept &k, const beam::BeamFrame &samples, const MonitorPlan &plan, monitoring::MonitorRecorder &recorder,
          LogWriter &log, const QDateTime &start, DeviceReadings &readings)
{
    MonitorLogRow row;
    row.frame = k.frame;
    row.elapsedS = k.t;
    row.when = start.addMSecs(qint64(k.t * 1000.0 + 0.5));
    row.result = beam::measureBeam(samples, plan.options);
    readings.refresh(k.t);
    row.exposureUs = readings.exposure();
    row.gain = readings.gain();
    row.dropped = k.dropped;
    recorder.record(k.t, row.result);
    log.append(monitoring::monitorLogLine(row, plan.umPerPixel));
}

MonitorOutcome runRendered(SimulatedCaptureDevice &device, const MonitorPlan &plan,
                           monitoring::MonitorRecorder &recorder, LogWriter &log, const QDateTime &start,
                           const std::atomic<bool> &interrupted)
{
    MonitorOutcome outcome;
    DeviceReadings readings(device);
    const double fps = device.standard() == StandardPal ? 25.0 : 30.0;
    for (long long i = 1; i <= *plan.frames && !interrupted && !log.failed(); ++i) {
        const double t = double(i - 1) / fps;
        outcome.frames = i;
        if (recorder.take(i, t))
            keep({i, t, 0}, frameFromImage(device.frameAt(t)), plan, recorder, log, start, readings);
    }
    return outcome;
}

MonitorOutcome runStreamed(CaptureDevice &device, const MonitorPlan &plan, monitoring::MonitorRecorder &recorder,
                           LogWriter &log, const QDateTime &start, const std::atomic<bool> &interrupted)
{
    MonitorOutcome outcome;
    DeviceReadings readings(device);
    DeviceStream stream(device);
    while (!interrupted && !log.failed()) {
        if (plan.durationS && stream.elapsedS() >= *plan.durationS)
            break;
        if (plan.frames && outcome.frames >= *plan.frames)
            break;
        DeviceStream::Frame frame;
        const DeviceStream::Wait wait = stream.next(100, frame);
        if (wait == DeviceStream::Wait::Failed) {
            outcome.deviceError = stream.failure();
            break;
        }
        if (wait == DeviceStream::Wait::Timeout)
            continue;
        if (plan.durationS && frame.t >= *plan.durationS)
            break;
        // Up to the frame taken last: every frame the camera delivered was taken or dropped.
        // Frames that come while the run ends are neither and not counted.
        outcome.frames = frame.number;
        outcome.dropped = frame.dropped;
        if (recorder.take(frame.number, frame.t))
            keep({frame.number, frame.t, frame.dropped}, samplesOf(frame), plan, recorder, log, start, readings);
    }
    return outcome;
}

} // namespace

MonitorOutcome runMonitor(CaptureDevice &device, const MonitorPlan &plan, monitoring::MonitorRecorder &recorder,
                          LogWriter &log, const QDateTime &start, const std::atomic<bool> &interrupted)
{
    if (plan.frames && !plan.durationS) {
        if (auto *simulated = dynamic_cast<SimulatedCaptureDevice *>(&device))
            return runRendered(*simulated, plan, recorder, log, start, interrupted);
    }
    return runStreamed(device, plan, recorder, log, start, interrupted);
}

} // namespace lumetra::cli
