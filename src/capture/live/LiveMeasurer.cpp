#include "capture/live/LiveMeasurer.h"

#include "platform/framefiles/FrameFile.h"

#include <ctime>
#include <exception>
#include <new>

namespace lumetra {

LiveMeasurer::LiveMeasurer(QObject *parent) : QObject(parent)
{
    m_clock.start();
    m_thread = std::jthread([this](std::stop_token stop) { work(stop); });
}

LiveMeasurer::~LiveMeasurer()
{
    m_thread.request_stop();
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void LiveMeasurer::submit(const QImage &frame)
{
    if (frame.isNull())
        return;
    {
        std::lock_guard lock(m_mutex);
        if (m_hasWaiting)
            ++m_dropped;
        m_waiting = frame; // shared, not copied: the video never writes into a shown frame
        m_waitingDeep.reset();
        m_waitingSeconds = m_clock.elapsed() / 1000.0;
        m_waitingFrame = ++m_submitted;
        m_hasWaiting = true;
    }
    m_wake.notify_one();
}

void LiveMeasurer::setMeasure(Measure measure)
{
    std::lock_guard lock(m_mutex);
    m_measure = std::move(measure);
}

void LiveMeasurer::setMeasuring(bool on)
{
    std::lock_guard lock(m_mutex);
    m_measuring = on;
}

void LiveMeasurer::setJob(Job job)
{
    std::lock_guard running(m_jobMutex);
    m_hasJob = bool(job);
    m_job = std::move(job);
}

void LiveMeasurer::submitDeep(std::shared_ptr<const beam::BeamFrame> frame)
{
    if (!frame || frame->values.empty())
        return;
    {
        std::lock_guard lock(m_mutex);
        if (m_hasWaiting)
            ++m_dropped;
        m_waiting = QImage();
        m_waitingDeep = std::move(frame);
        m_waitingSeconds = m_clock.elapsed() / 1000.0;
        m_waitingFrame = ++m_submitted;
        m_hasWaiting = true;
    }
    m_wake.notify_one();
}

void LiveMeasurer::setDarkFrame(std::shared_ptr<const beam::BeamFrame> dark)
{
    std::lock_guard lock(m_mutex);
    m_dark = std::move(dark);
}

void LiveMeasurer::work(std::stop_token stop)
{
    while (true) {
        QImage frame;
        std::shared_ptr<const beam::BeamFrame> deep, dark;
        LiveSample sample;
        Measure measure;
        bool measuring = true;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, stop, [this] { return m_hasWaiting; });
            if (stop.stop_requested())
                return;
            frame = std::move(m_waiting);
            m_waiting = QImage();
            deep = std::move(m_waitingDeep);
            m_waitingDeep.reset();
            dark = m_dark;
            m_hasWaiting = false;
            sample.seconds = m_waitingSeconds;
            measure = m_measure;
            measuring = m_measuring;
            sample.frame = m_waitingFrame;
        }
        const auto cpuNow = [] {
            timespec t{};
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
            return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
        };
        const long long cpuBefore = cpuNow();
        beam::BeamFrame grey;
        try {
            if (!deep) {
                grey = frameFromImage(frame);
                frame = QImage();
            }
            const beam::BeamFrame &subject = deep ? *deep : grey;
            sample.width = subject.width;
            sample.height = subject.height;
            if (measuring) {
                const bool darkFits = deep && dark && dark->width == deep->width && dark->height == deep->height;
                sample.result = measure ? measure(subject) : beam::measureBeam(subject, {}, darkFits ? dark.get() : nullptr);
            }
        } catch (const std::bad_alloc &) {
            sample.result = {};
            sample.error = tr("内存不足，此帧未测量");
        } catch (const std::exception &e) {
            sample.result = {};
            sample.error = tr("此帧未测量：%1").arg(QString::fromLocal8Bit(e.what()));
        } catch (...) {
            sample.result = {};
            sample.error = tr("此帧未测量");
        }
        if (m_hasJob && sample.width > 0) {
            std::lock_guard running(m_jobMutex);
            try {
                if (m_job)
                    m_job(deep ? *deep : grey, sample.frame);
            } catch (...) {
                // The job's own failure is the job's to report; the next frame comes all the same.
            }
        }
        if (!measuring)
            continue;
        m_measureCpuNs += cpuNow() - cpuBefore;
        ++m_measured;
        QMetaObject::invokeMethod(
            this, [this, sample] { emit measured(sample); }, Qt::QueuedConnection);
    }
}

} // namespace lumetra
