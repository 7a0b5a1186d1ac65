#pragma once

#include "devices/V4l2Io.h"

namespace lumetra {

// V4l2Io on the real devices: /dev/video* through libv4l2, so that the driver's own layouts
// are converted where the driver lacks the one asked for.
class LibV4l2Io : public V4l2Io
{
public:
    QStringList deviceNodes() const override;
    int open(const QString &path) override;
    int close(int fd) override;
    int ioctl(int fd, unsigned long request, void *arg) override;
    void *mmap(int fd, std::size_t length, std::int64_t offset) override;
    int munmap(void *start, std::size_t length) override;
    int waitForFrame(int fd, int timeoutMs) override;
};

} // namespace lumetra
