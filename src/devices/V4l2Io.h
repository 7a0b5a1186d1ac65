#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace lumetra {

// The few calls the V4L2 capture device makes of the operating system: finding device nodes,
// open/close, ioctl and mmap (through libv4l2, which converts exotic driver layouts), and
// waiting for a frame. The program uses LibV4l2Io; tests put a fake driver behind it.
// Failures return -1 (mmap: nullptr) and leave the reason in errno.
class V4l2Io
{
public:
    virtual ~V4l2Io() = default;

    // Video device nodes, in the order of their numbers (/dev/video0, /dev/video1, ...).
    virtual QStringList deviceNodes() const = 0;
    virtual int open(const QString &path) = 0;
    virtual int close(int fd) = 0;
    virtual int ioctl(int fd, unsigned long request, void *arg) = 0;
    virtual void *mmap(int fd, std::size_t length, std::int64_t offset) = 0;
    virtual int munmap(void *start, std::size_t length) = 0;
    // > 0 when a frame can be dequeued, 0 on timeout, -1 on error (a device that went away).
    virtual int waitForFrame(int fd, int timeoutMs) = 0;
};

} // namespace lumetra
