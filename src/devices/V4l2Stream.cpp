#include "devices/V4l2Stream.h"

#include "types/MessageLanguage.h"
#include "devices/FrameConverter.h"
#include "devices/V4l2Io.h"

#include <linux/videodev2.h>

#include <cerrno>
#include <cstring>

namespace lumetra {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

V4l2Stream::V4l2Stream(V4l2Io &io, int fd) : m_io(io), m_fd(fd) {}

V4l2Stream::~V4l2Stream()
{
    release();
}

bool V4l2Stream::allocate(QString *error)
{
    if (isAllocated())
        return true;
    v4l2_format fmt{};
    fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (m_io.ioctl(m_fd, VIDIOC_G_FMT, &fmt) < 0) {
        *error = messageText("无法读取视频格式（%1）", "cannot read the video format (%1)").arg(systemReason(errno));
        return false;
    }
    m_fourcc = fmt.fmt.pix.pixelformat;
    m_width = int(fmt.fmt.pix.width);
    m_height = int(fmt.fmt.pix.height);
    m_bytesPerLine = int(fmt.fmt.pix.bytesperline);

    v4l2_requestbuffers req{};
    req.count = BufferCount;
    req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    req.memory = V4L2_MEMORY_MMAP;
    if (m_io.ioctl(m_fd, VIDIOC_REQBUFS, &req) < 0 || req.count == 0) {
        *error = messageText("无法分配视频缓冲区（%1）", "cannot allocate video buffers (%1)").arg(systemReason(errno));
        return false;
    }
    for (quint32 i = 0; i < req.count; ++i) {
        v4l2_buffer buf{};
        buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buf.memory = V4L2_MEMORY_MMAP;
        buf.index = i;
        void *start = nullptr;
        if (m_io.ioctl(m_fd, VIDIOC_QUERYBUF, &buf) == 0)
            start = m_io.mmap(m_fd, buf.length, buf.m.offset);
        if (start == nullptr) {
            *error = messageText("无法映射视频缓冲区（%1）", "cannot map the video buffers (%1)").arg(systemReason(errno));
            release();
            return false;
        }
        m_buffers.push_back({start, buf.length});
    }
    return true;
}

bool V4l2Stream::start(CaptureDevice::FrameSink frames, CaptureDevice::FailureSink failures, QString *error)
{
    halt();
    if (!allocate(error))
        return false;
    for (quint32 i = 0; i < m_buffers.size(); ++i) {
        v4l2_buffer buf{};
        buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buf.memory = V4L2_MEMORY_MMAP;
        buf.index = i;
        if (m_io.ioctl(m_fd, VIDIOC_QBUF, &buf) < 0) {
            *error = messageText("无法排入视频缓冲区（%1）", "cannot queue the video buffers (%1)").arg(systemReason(errno));
            return false;
        }
    }
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (m_io.ioctl(m_fd, VIDIOC_STREAMON, &type) < 0) {
        *error = messageText("无法开始视频流（%1）", "cannot start the video stream (%1)").arg(systemReason(errno));
        return false;
    }
    m_streamOn = true;
    m_frames = std::move(frames);
    m_failures = std::move(failures);
    m_failed = false;
    m_thread = std::jthread([this](std::stop_token stop) { loop(stop); });
    return true;
}

void V4l2Stream::halt()
{
    if (m_thread.joinable()) {
        m_thread.request_stop();
        m_thread.join();
    }
    if (m_streamOn) {
        // Switching off also takes every buffer back from the driver.
        int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        m_io.ioctl(m_fd, VIDIOC_STREAMOFF, &type);
        m_streamOn = false;
    }
}

void V4l2Stream::release()
{
    halt();
    if (m_buffers.empty())
        return;
    for (const Buffer &b : m_buffers)
        m_io.munmap(b.start, b.length);
    m_buffers.clear();
    v4l2_requestbuffers req{};
    req.count = 0;
    req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    req.memory = V4L2_MEMORY_MMAP;
    m_io.ioctl(m_fd, VIDIOC_REQBUFS, &req);
}

void V4l2Stream::fail(const QString &reason)
{
    m_failed = true;
    if (m_failures)
        m_failures(reason);
}

void V4l2Stream::loop(std::stop_token stop)
{
    constexpr int WaitMs = 100;
    while (!stop.stop_requested()) {
        const int ready = m_io.waitForFrame(m_fd, WaitMs);
        if (ready < 0) {
            fail(messageText("视频设备已断开或停止响应（%1）", "the video device was disconnected or stopped answering (%1)").arg(systemReason(errno)));
            return;
        }
        if (ready == 0)
            continue;
        v4l2_buffer buf{};
        buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buf.memory = V4L2_MEMORY_MMAP;
        if (m_io.ioctl(m_fd, VIDIOC_DQBUF, &buf) < 0) {
            if (errno == EAGAIN)
                continue;
            fail(messageText("读取视频帧失败（%1）", "reading a video frame failed (%1)").arg(systemReason(errno)));
            return;
        }
        if (buf.index >= m_buffers.size()) {
            fail(messageText("视频驱动交回了未知的缓冲区", "the video driver returned an unknown buffer"));
            return;
        }
        const Buffer &b = m_buffers[buf.index];
        if (!(buf.flags & V4L2_BUF_FLAG_ERROR)) {
            const qsizetype used = buf.bytesused > 0
                                       ? qsizetype(std::min<std::size_t>(buf.bytesused, b.length))
                                       : qsizetype(b.length);
            const QImage frame = convertFrame(static_cast<const uchar *>(b.start), used, m_fourcc, m_width,
                                              m_height, m_bytesPerLine);
            if (!frame.isNull() && m_frames)
                m_frames(frame);
        }
        if (m_io.ioctl(m_fd, VIDIOC_QBUF, &buf) < 0) {
            fail(messageText("读取视频帧失败（%1）", "reading a video frame failed (%1)").arg(systemReason(errno)));
            return;
        }
    }
}

} // namespace lumetra
