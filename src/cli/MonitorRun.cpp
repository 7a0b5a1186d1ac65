#include "cli/MonitorRun.h"

#include "analysis/monitoring/MonitorLogRow.h"
#include "devices/CameraControls.h"
#include "devices/FrameAverager.h"
#include "devices/SimulatedCaptureDevice.h"
#include "platform/framefiles/FrameFile.h"

#include <QElapsedTimer>

#include <condition_variable>
#include <mutex>

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

void keep(const Kept &k, const QImage &image, const std::shared_ptr<const DeepFrame> &deep, const MonitorPlan &plan, monitoring::MonitorRecorder &recorder,
          LogWriter &log, const QDateTime &start, DeviceReadings &readings)
{
    MonitorLogRow row;
    row.frame = k.frame;
    row.elapsedS = k.t;
    row.when = start.addMSecs(qint64(k.t * 1000.0 + 0.5));
    // A camera's own samples when it delivers them, else the picture.
    row.result = beam::measureBeam(deep ? beamFrameOf(*deep) : frameFromImage(image), plan.options);
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
            keep({i, t, 0}, device.frameAt(t), nullptr, plan, recorder, log, start, readings);
    }
    return outcome;
}

// Frames as the streaming thread delivers them: the newest waits, an older one waiting is dropped.
struct FrameSlot
{
    std::mutex mutex;
    std::condition_variable cv;
    QImage frame;
    std::shared_ptr<const DeepFrame> deep;
    long long number = 0;
    double t = 0;
    bool waiting = false;
    long long delivered = 0;
    long long dropped = 0;
    QString failure;
};

MonitorOutcome runStreamed(CaptureDevice &device, const MonitorPlan &plan, monitoring::MonitorRecorder &recorder,
                           LogWriter &log, const QDateTime &start, const std::atomic<bool> &interrupted)
{
    MonitorOutcome outcome;
    DeviceReadings readings(device);
    FrameSlot slot;
    QElapsedTimer clock;
    clock.start();
    const auto arrived = [&slot, &clock](const QImage &frame, std::shared_ptr<const DeepFrame> deep) {
        {
            std::lock_guard lock(slot.mutex);
            ++slot.delivered;
            if (slot.waiting)
                ++slot.dropped;
            slot.frame = frame;
            slot.deep = std::move(deep);
            slot.number = slot.delivered;
            slot.t = clock.nsecsElapsed() / 1e9;
            slot.waiting = true;
        }
        slot.cv.notify_one();
    };
    device.setSinks([arrived](const QImage &frame) { arrived(frame, nullptr); },
                    [&slot](const QString &reason) {
                        {
                            std::lock_guard lock(slot.mutex);
                            slot.failure = reason;
                        }
                        slot.cv.notify_one();
                    });
    // Cameras deeper than 8 bits hand over their own samples as well.
    device.setDeepFrameSink(arrived);
    device.run();
    while (!interrupted && !log.failed()) {
        const double now = clock.nsecsElapsed() / 1e9;
        if (plan.durationS && now >= *plan.durationS)
            break;
        if (plan.frames && outcome.frames >= *plan.frames)
            break;
        QImage frame;
        std::shared_ptr<const DeepFrame> deep;
        Kept k{};
        {
            std::unique_lock lock(slot.mutex);
            slot.cv.wait_for(lock, std::chrono::milliseconds(100),
                             [&slot] { return slot.waiting || !slot.failure.isEmpty(); });
            if (!slot.failure.isEmpty()) {
                outcome.deviceError = slot.failure;
                break;
            }
            if (!slot.waiting)
                continue;
            if (plan.durationS && slot.t >= *plan.durationS)
                break;
            frame = std::move(slot.frame);
            slot.frame = QImage();
            deep = std::move(slot.deep);
            slot.deep.reset();
            slot.waiting = false;
            k = {slot.number, slot.t, slot.dropped};
            // Up to the frame taken last: every frame the camera delivered was taken or dropped.
            // Frames that come while the run ends are neither and not counted.
            outcome.frames = slot.number;
            outcome.dropped = slot.dropped;
        }
        if (recorder.take(k.frame, k.t))
            keep(k, frame, deep, plan, recorder, log, start, readings);
    }
    device.stop();
    device.setSinks({}, {});
    device.setDeepFrameSink({});
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
