#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <vector>

namespace lumetra {

// A frame file's bytes, read front to back with ordinary reads into a small buffer of its own
// (never mapped: a file cut short by another program is an error, not a crash). The readers take
// their samples from it row by row, so a file costs its decoded frame, not its bytes as well.
// The same readers decode bytes already in memory (tests, fuzzing).
class FrameInput
{
public:
    // Bytes in memory; they must outlive the input.
    explicit FrameInput(QByteArrayView bytes);
    // Opens `path` for reading; false (with `error` set) when it cannot be opened.
    bool open(const QString &path, QString &error);
    ~FrameInput();
    FrameInput(const FrameInput &) = delete;
    FrameInput &operator=(const FrameInput &) = delete;

    // The file's size when it was opened, and how far it has been read.
    qint64 size() const { return m_size; }
    qint64 position() const { return m_consumed + (m_at - m_begin); }
    qint64 remaining() const { return m_size - position(); }

    // The next byte without taking it, or -1 at the end.
    int peek()
    {
        if (m_at == m_end && !refill())
            return -1;
        return static_cast<unsigned char>(*m_at);
    }
    int get()
    {
        const int c = peek();
        if (c >= 0)
            ++m_at;
        return c;
    }
    // Up to n bytes into `out`; fewer only at the end of the data.
    qint64 read(char *out, qint64 n);
    // Reads exactly n bytes; false at the end of the data.
    bool readExactly(char *out, qint64 n) { return read(out, n) == n; }
    bool skip(qint64 n);
    // The first n bytes (at most) of the data, read before anything else is taken.
    QByteArray head(qint64 n);
    // The last n bytes (at most) of the file, read without moving.
    QByteArray tail(qint64 n) const;

    // True when the file is no longer the one opened: it ended before its size, or its size,
    // time of change or identity differ now. Call once the decoder is done.
    bool changed() const;

    // Tests: called before each read from a file with the position reached, so that a test can
    // change the file while it is read.
    static void setBeforeReadHook(std::function<void(const QString &path, qint64 position)> hook);

private:
    bool refill();

    QByteArrayView m_memory;
    int m_fd = -1;
    QString m_path;
    qint64 m_size = 0;
    qint64 m_consumed = 0; // bytes taken from the file before the buffer's start
    std::vector<char> m_buffer;
    const char *m_begin = nullptr;
    const char *m_at = nullptr;
    const char *m_end = nullptr;
    bool m_cutShort = false;
    struct Identity
    {
        qint64 size = 0, device = 0, inode = 0, changedSec = 0, changedNsec = 0, modifiedSec = 0, modifiedNsec = 0;
        bool operator==(const Identity &) const = default;
    };
    Identity m_identity;
    static Identity identityOf(int fd, bool &ok);
};

} // namespace lumetra
