#pragma once

#include "types/BeamFrame.h"
#include "analysis/beam/BeamMeasurement.h"

#include <QElapsedTimer>
#include <QImage>
#include <QObject>

#include <atomic>
#include <condition_variable>
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
};

// Measures video frames on a worker thread of its own. At most one frame is measured at a time
// and at most one waits: a frame handed over while another waits replaces it (the newest wins),
// so a slow measurement drops frames instead of queueing them and never holds up the video.
// Results come back on the thread the measurer lives in.
class LiveMeasurer : public QObject
{
    Q_OBJECT

public:
    explicit LiveMeasurer(QObject *parent = nullptr);
    ~LiveMeasurer() override;

    // Hands over the frame on show (any format; measured as 0.299 R + 0.587 G + 0.114 B).
    void submit(const QImage &frame);
    // Frames replaced before they were measured, and frames measured, since construction.
    long long dropped() const { return m_dropped; }
    long long measuredCount() const { return m_measured; }


signals:
    void measured(const lumetra::LiveSample &sample);

private:
    void work(std::stop_token stop);

    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    QImage m_waiting;
    double m_waitingSeconds = 0;
    long long m_waitingFrame = 0;
    long long m_submitted = 0;
    bool m_hasWaiting = false;
    std::atomic<long long> m_dropped{0};
    std::atomic<long long> m_measured{0};
    QElapsedTimer m_clock;
    std::jthread m_thread; // last: stopped and joined before the rest goes
};

} // namespace lumetra
