#pragma once

#include "platform/logging/AppendSink.h"

#include <memory>

namespace lumetra {

// A new file opened for appending only (O_APPEND); a file already there is never opened, so a
// log is never rewritten. Its directory is synced once after the file is made, so the file
// itself survives a power cut along with its first synced lines.
class AppendFile : public AppendSink
{
public:
    // Empty with `error` set when the file exists or cannot be made.
    static std::unique_ptr<AppendFile> create(const QString &path, QString *error);
    ~AppendFile() override;

    bool append(const QByteArray &bytes) override;
    bool sync() override;
    bool truncate(qint64 size) override;
    int errorCode() const override { return m_errno; }
    QString errorString() const override;

private:
    explicit AppendFile(int fd) : m_fd(fd) {}
    bool fail();

    int m_fd = -1;
    int m_errno = 0;
};

} // namespace lumetra
