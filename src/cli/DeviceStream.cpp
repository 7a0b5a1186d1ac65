#include "cli/DeviceStream.h"

#include "devices/FrameAverager.h"
#include "platform/framefiles/FrameFile.h"

#include <chrono>

namespace lumetra::cli {

DeviceStream::DeviceStream(CaptureDevice &device) : m_device(device)
{
    m_clock.start();
    m_device.setSinks([this](const QImage &picture) { arrived(picture, nullptr); },
                      [this](const QString &reason) {
                          {
                              std::lock_guard lock(m_mutex);
                              m_failure = reason;
                          }
                          m_cv.notify_one();
                      });
    // Cameras deeper than 8 bits hand over their own samples as well.
    m_device.setDeepFrameSink([this](const QImage &picture, std::shared_ptr<const DeepFrame> deep) {
        arrived(picture, std::move(deep));
    });
    m_device.run();
}

DeviceStream::~DeviceStream()
{
    m_device.stop();
    m_device.setSinks({}, {});
    m_device.setDeepFrameSink({});
}

void DeviceStream::arrived(const QImage &picture, std::shared_ptr<const DeepFrame> deep)
{
    {
        std::lock_guard lock(m_mutex);
        ++m_delivered;
        if (m_hasWaiting)
            ++m_dropped;
        m_waiting.picture = picture;
        m_waiting.deep = std::move(deep);
        m_waiting.number = m_delivered;
        m_waiting.t = m_clock.nsecsElapsed() / 1e9;
        m_waiting.dropped = m_dropped;
        m_hasWaiting = true;
    }
    m_cv.notify_one();
}

DeviceStream::Wait DeviceStream::next(int timeoutMs, Frame &frame)
{
    std::unique_lock lock(m_mutex);
    m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_hasWaiting || !m_failure.isEmpty(); });
    if (!m_failure.isEmpty())
        return Wait::Failed;
    if (!m_hasWaiting)
        return Wait::Timeout;
    frame = std::move(m_waiting);
    m_waiting = Frame();
    m_hasWaiting = false;
    return Wait::Frame;
}

QString DeviceStream::failure() const
{
    std::lock_guard lock(m_mutex);
    return m_failure;
}

beam::BeamFrame samplesOf(const DeviceStream::Frame &frame)
{
    return frame.deep ? beamFrameOf(*frame.deep) : frameFromImage(frame.picture);
}

} // namespace lumetra::cli
