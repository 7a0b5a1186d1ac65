#pragma once

#include "platform/logging/AppendSink.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace lumetra::test {

// A disc that takes `room` bytes and then is full: the write that overflows goes in partly and
// fails with ENOSPC. The bytes land in `content` (owned by the test).
class FillingSink : public AppendSink
{
public:
    FillingSink(QByteArray *content, qsizetype room) : m_content(content), m_room(room) {}
    bool append(const QByteArray &bytes) override
    {
        const qsizetype fits = std::min(bytes.size(), m_room - m_content->size());
        m_content->append(bytes.left(fits));
        if (fits < bytes.size()) {
            m_errno = ENOSPC;
            return false;
        }
        return true;
    }
    bool sync() override
    {
        ++syncs;
        return true;
    }
    bool truncate(qint64 size) override
    {
        m_content->truncate(qsizetype(size));
        return true;
    }
    int errorCode() const override { return m_errno; }
    QString errorString() const override { return QString::fromLocal8Bit(std::strerror(m_errno)); }
    int syncs = 0;

private:
    QByteArray *m_content;
    qsizetype m_room;
    int m_errno = 0;
};

} // namespace lumetra::test
