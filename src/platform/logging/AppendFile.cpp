#include "platform/logging/AppendFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace lumetra {

std::unique_ptr<AppendFile> AppendFile::create(const QString &path, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (error)
            *error = QStringLiteral("cannot create %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return nullptr;
    }
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    const int dirFd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return std::unique_ptr<AppendFile>(new AppendFile(fd));
}

AppendFile::~AppendFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool AppendFile::fail()
{
    m_errno = errno;
    return false;
}

bool AppendFile::append(const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, p, std::size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail();
        }
        if (n == 0) {
            errno = ENOSPC;
            return fail();
        }
        p += n;
        left -= n;
    }
    return true;
}

bool AppendFile::sync()
{
    return ::fsync(m_fd) == 0 || fail();
}

bool AppendFile::truncate(qint64 size)
{
    return ::ftruncate(m_fd, off_t(size)) == 0 || fail();
}

QString AppendFile::errorString() const
{
    return QString::fromLocal8Bit(std::strerror(m_errno));
}

} // namespace lumetra
