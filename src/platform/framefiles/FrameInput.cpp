#include "platform/framefiles/FrameInput.h"

#include "types/MessageLanguage.h"
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumetra {

namespace {

constexpr qint64 BufferBytes = 256 * 1024;

std::mutex hookMutex;
std::function<void(const QString &, qint64)> &beforeReadHook()
{
    static std::function<void(const QString &, qint64)> hook;
    return hook;
}

} // namespace

FrameInput::FrameInput(QByteArrayView bytes)
    : m_memory(bytes), m_size(bytes.size()), m_begin(bytes.data()), m_at(bytes.data()),
      m_end(bytes.data() + bytes.size())
{
}

bool FrameInput::open(const QString &path, QString &error)
{
    m_memory = {};
    m_begin = m_at = m_end = nullptr;
    m_path = path;
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    bool ok = m_fd >= 0;
    if (ok)
        m_identity = identityOf(m_fd, ok);
    if (!ok) {
        error = messageText("无法读取文件: %1", "cannot read the file: %1").arg(path);
        return false;
    }
    m_size = m_identity.size;
    return true;
}

FrameInput::~FrameInput()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

FrameInput::Identity FrameInput::identityOf(int fd, bool &ok)
{
    struct stat st{};
    Identity id;
    ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (!ok)
        return id;
    id.size = st.st_size;
    id.device = qint64(st.st_dev);
    id.inode = qint64(st.st_ino);
    id.changedSec = st.st_ctim.tv_sec;
    id.changedNsec = st.st_ctim.tv_nsec;
    id.modifiedSec = st.st_mtim.tv_sec;
    id.modifiedNsec = st.st_mtim.tv_nsec;
    return id;
}

void FrameInput::setBeforeReadHook(std::function<void(const QString &, qint64)> hook)
{
    std::lock_guard lock(hookMutex);
    beforeReadHook() = std::move(hook);
}

bool FrameInput::refill()
{
    if (m_fd < 0 || position() >= m_size)
        return false;
    {
        std::function<void(const QString &, qint64)> hook;
        {
            std::lock_guard lock(hookMutex);
            hook = beforeReadHook();
        }
        if (hook)
            hook(m_path, position());
    }
    if (m_buffer.empty())
        m_buffer.resize(std::size_t(BufferBytes));
    m_consumed = position();
    const qint64 want = std::min<qint64>(BufferBytes, m_size - m_consumed);
    qint64 got = 0;
    while (got < want) {
        const ssize_t n = ::read(m_fd, m_buffer.data() + got, std::size_t(want - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    m_begin = m_at = m_buffer.data();
    m_end = m_begin + got;
    if (got < want) {
        m_cutShort = true; // the file ended before the size it had when opened
        m_size = m_consumed + got;
    }
    return got > 0;
}

qint64 FrameInput::read(char *out, qint64 n)
{
    qint64 done = 0;
    while (done < n) {
        if (m_at == m_end && !refill())
            break;
        const qint64 take = std::min<qint64>(n - done, m_end - m_at);
        std::memcpy(out + done, m_at, std::size_t(take));
        m_at += take;
        done += take;
    }
    return done;
}

bool FrameInput::skip(qint64 n)
{
    while (n > 0) {
        if (m_at == m_end && !refill())
            return false;
        const qint64 take = std::min<qint64>(n, m_end - m_at);
        m_at += take;
        n -= take;
    }
    return true;
}

QByteArray FrameInput::head(qint64 n)
{
    if (m_at == m_end)
        refill();
    return QByteArray(m_at, std::min<qint64>(n, m_end - m_at));
}

QByteArray FrameInput::tail(qint64 n) const
{
    n = std::min(n, m_size);
    if (m_fd < 0)
        return QByteArray(m_memory.data() + m_size - n, n);
    QByteArray bytes(n, Qt::Uninitialized);
    qint64 got = 0;
    while (got < n) {
        const ssize_t r = ::pread(m_fd, bytes.data() + got, std::size_t(n - got), m_size - n + got);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        got += r;
    }
    bytes.truncate(got);
    return bytes;
}

bool FrameInput::changed() const
{
    if (m_fd < 0)
        return false;
    if (m_cutShort)
        return true;
    bool ok = false;
    const Identity now = identityOf(m_fd, ok);
    return !ok || !(now == m_identity);
}

} // namespace lumetra
