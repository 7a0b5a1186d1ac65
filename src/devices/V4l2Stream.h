#pragma once

#include "devices/CaptureDevice.h"

#include <QString>

#include <atomic>
#include <thread>
#include <vector>

namespace lumetra {

class V4l2Io;

// The memory-mapped buffers of one open V4L2 device and the thread that dequeues frames from
// them, converts each to a picture, hands it to the frame sink and queues the buffer again.
// A device that fails while streaming (unplugged, I/O error) ends the thread with one call of
// the failure sink; the owner then halts or releases the stream from its own thread.
class V4l2Stream
{
public:
    V4l2Stream(V4l2Io &io, int fd);
    ~V4l2Stream();
    V4l2Stream(const V4l2Stream &) = delete;
    V4l2Stream &operator=(const V4l2Stream &) = delete;

    // Requests and maps the buffers for the format in force. False with a reason.
    bool allocate(QString *error);
    bool isAllocated() const { return !m_buffers.empty(); }
    // Queues every buffer, switches streaming on and starts the thread. False with a reason.
    bool start(CaptureDevice::FrameSink frames, CaptureDevice::FailureSink failures, QString *error);
    // Ends the thread and switches streaming off; the buffers stay mapped.
    void halt();
    // Halts, unmaps and frees the buffers.
    void release();
    bool isStreaming() const { return m_thread.joinable() && !m_failed.load(); }
    bool hasFailed() const { return m_failed.load(); }

    static constexpr int BufferCount = 4;

private:
    struct Buffer
    {
        void *start = nullptr;
        std::size_t length = 0;
    };

    void loop(std::stop_token stop);
    void fail(const QString &reason);

    V4l2Io &m_io;
    int m_fd;
    std::vector<Buffer> m_buffers;
    quint32 m_fourcc = 0;
    int m_width = 0, m_height = 0, m_bytesPerLine = 0;
    CaptureDevice::FrameSink m_frames;
    CaptureDevice::FailureSink m_failures;
    std::atomic<bool> m_failed{false};
    bool m_streamOn = false;
    std::jthread m_thread;
};

} // namespace lumetra
