#include "devices/LibV4l2Io.h"

#include <QDir>
#include <QFile>

#include <libv4l2.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>

namespace lumetra {

namespace {

int nodeNumber(const QString &name)
{
    bool ok = false;
    const int n = name.mid(5).toInt(&ok); // after "video"
    return ok ? n : -1;
}

} // namespace

QStringList LibV4l2Io::deviceNodes() const
{
    QStringList names = QDir(QStringLiteral("/dev")).entryList({QStringLiteral("video*")}, QDir::System);
    names.erase(
        std::remove_if(names.begin(), names.end(), [](const QString &n) { return nodeNumber(n) < 0; }),
        names.end());
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return nodeNumber(a) < nodeNumber(b); });
    QStringList paths;
    for (const QString &n : names)
        paths << QStringLiteral("/dev/") + n;
    return paths;
}

int LibV4l2Io::open(const QString &path)
{
    return v4l2_open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
}

int LibV4l2Io::close(int fd)
{
    return v4l2_close(fd);
}

int LibV4l2Io::ioctl(int fd, unsigned long request, void *arg)
{
    int r;
    do
        r = v4l2_ioctl(fd, request, arg);
    while (r == -1 && errno == EINTR);
    return r;
}

void *LibV4l2Io::mmap(int fd, std::size_t length, std::int64_t offset)
{
    void *p = v4l2_mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, offset);
    return p == MAP_FAILED ? nullptr : p;
}

int LibV4l2Io::munmap(void *start, std::size_t length)
{
    return v4l2_munmap(start, length);
}

int LibV4l2Io::waitForFrame(int fd, int timeoutMs)
{
    pollfd p{fd, POLLIN, 0};
    const int r = ::poll(&p, 1, timeoutMs);
    if (r < 0)
        return errno == EINTR ? 0 : -1;
    if (r > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)) && !(p.revents & POLLIN)) {
        errno = ENODEV;
        return -1;
    }
    return r;
}

} // namespace lumetra
