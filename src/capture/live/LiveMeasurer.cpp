#include "capture/live/LiveMeasurer.h"

#include "platform/framefiles/FrameFile.h"

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
        m_waitingSeconds = m_clock.elapsed() / 1000.0;
        m_waitingFrame = ++m_submitted;
        m_hasWaiting = true;
    }
    m_wake.notify_one();
}

void LiveMeasurer::work(std::stop_token stop)
{
    while (true) {
        QImage frame;
        LiveSample sample;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, stop, [this] { return m_hasWaiting; });
            if (stop.stop_requested())
                return;
            frame = std::move(m_waiting);
            m_waiting = QImage();
            m_hasWaiting = false;
            sample.seconds = m_waitingSeconds;
            sample.frame = m_waitingFrame;
        }
        const beam::BeamFrame grey = frameFromImage(frame);
        sample.width = grey.width;
        sample.height = grey.height;
        sample.result = beam::measureBeam(grey);
        ++m_measured;
        QMetaObject::invokeMethod(
            this, [this, sample] { emit measured(sample); }, Qt::QueuedConnection);
    }
}

} // namespace lumetra
