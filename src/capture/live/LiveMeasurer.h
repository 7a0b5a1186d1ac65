#pragma once

#include "types/BeamFrame.h"
#include "analysis/beam/BeamMeasurement.h"

#include <QElapsedTimer>
#include <QImage>
#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace lumetra {

// One frame's measurement: when the frame was shown (seconds on the measurer's clock), its size
// and the beam in it.
struct LiveSample
{
    double seconds = 0;
    long long frame = 0; // the frame's number among those handed over, from 1
    int width = 0;
    int height = 0;
    beam::BeamResult result;
    QString error; // the frame could not be measured (no result): why
};

// Measures video frames on a worker thread of its own. At most one frame is measured at a time
// and at most one waits: a frame handed over while another waits replaces it (the newest wins),
// so a slow measurement drops frames instead of queueing them and never holds up the video.
// Results come back on the thread the measurer lives in; a measurement that fails (memory running
// out included) comes back as that frame's error. Destroying the measurer waits for the frame
// being measured, never for one still waiting.
class LiveMeasurer : public QObject
{
    Q_OBJECT

public:
    explicit LiveMeasurer(QObject *parent = nullptr);
    ~LiveMeasurer() override;

    // Hands over the frame on show (any format; measured as 0.299 R + 0.587 G + 0.114 B).
    void submit(const QImage &frame);
    // Hands over a frame at the camera's depth (an average of frames, perhaps): measured as it
    // is, less the dark frame when one of its size is set.
    void submitDeep(std::shared_ptr<const beam::BeamFrame> frame);
    // The dark frame the deep frames are measured against; null: none.
    void setDarkFrame(std::shared_ptr<const beam::BeamFrame> dark);
    // Frames replaced before they were measured, and frames measured, since construction.
    long long dropped() const { return m_dropped; }
    long long measuredCount() const { return m_measured; }
    // Processor time the measurements took, per frame measured (ms), on the worker thread.
    double measureCpuMsPerFrame() const { return m_measured ? m_measureCpuNs / 1e6 / double(m_measured) : 0.0; }

    // How a frame is measured: beam::measureBeam unless another is set (tests slow it down or
    // make it fail).
    using Measure = std::function<beam::BeamResult(const beam::BeamFrame &frame)>;
    void setMeasure(Measure measure);
    // Whether the frames handed over are measured here (measured() follows each); off, they only
    // go to the job.
    void setMeasuring(bool on);
    // Another piece of work done on every frame handed over, after the measurement, on the same
    // worker (null: none). Returns once an earlier job is no longer running.
    using Job = std::function<void(const beam::BeamFrame &frame, long long frameNumber)>;
    void setJob(Job job);
    bool hasJob() const { return m_hasJob; }

signals:
    void measured(const lumetra::LiveSample &sample);

private:
    void work(std::stop_token stop);

    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    QImage m_waiting;
    std::shared_ptr<const beam::BeamFrame> m_waitingDeep;
    std::shared_ptr<const beam::BeamFrame> m_dark;
    double m_waitingSeconds = 0;
    long long m_waitingFrame = 0;
    long long m_submitted = 0;
    bool m_hasWaiting = false;
    Measure m_measure;
    bool m_measuring = true;
    std::mutex m_jobMutex; // held while the job runs
    Job m_job;
    std::atomic<bool> m_hasJob{false};
    std::atomic<long long> m_dropped{0};
    std::atomic<long long> m_measured{0};
    std::atomic<long long> m_measureCpuNs{0};
    QElapsedTimer m_clock;
    std::jthread m_thread; // last: stopped and joined before the rest goes
};

} // namespace lumetra
