#pragma once

#include "devices/CaptureDevice.h"
#include "types/BeamFrame.h"
#include "types/DeepFrame.h"

#include <QElapsedTimer>
#include <QImage>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace lumetra::cli {

// A capture device's stream as the command line reads it: the streaming thread leaves its newest
// frame waiting and an older one still waiting is dropped. Runs the device from construction to
// destruction.
class DeviceStream
{
public:
    struct Frame
    {
        QImage picture;
        std::shared_ptr<const DeepFrame> deep; // the camera's own samples when it has any
        long long number = 0;                  // 1 for the first frame delivered
        double t = 0;                          // seconds since the stream started
        long long dropped = 0;                 // frames dropped so far
    };
    enum class Wait { Frame, Timeout, Failed };

    explicit DeviceStream(CaptureDevice &device);
    ~DeviceStream();
    DeviceStream(const DeviceStream &) = delete;
    DeviceStream &operator=(const DeviceStream &) = delete;

    // Waits up to `timeoutMs` for a frame; Failed once the device reported a failure (failure()).
    Wait next(int timeoutMs, Frame &frame);
    QString failure() const;
    double elapsedS() const { return m_clock.nsecsElapsed() / 1e9; }

private:
    void arrived(const QImage &picture, std::shared_ptr<const DeepFrame> deep);

    CaptureDevice &m_device;
    QElapsedTimer m_clock;
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    Frame m_waiting;
    bool m_hasWaiting = false;
    long long m_delivered = 0;
    long long m_dropped = 0;
    QString m_failure;
};

// The samples of a frame to measure: the camera's own when it delivers them, else the picture's.
beam::BeamFrame samplesOf(const DeviceStream::Frame &frame);

} // namespace lumetra::cli
