#pragma once

#include <QByteArray>
#include <QString>

namespace lumetra {

// Where an append-only log goes: a file that only grows (or, in tests, a sink that fails on cue).
// Every call comes from the log's writer thread.
class AppendSink
{
public:
    virtual ~AppendSink() = default;
    // Appends all of `bytes`; false (with errorCode()/errorString() set) when not all went out.
    virtual bool append(const QByteArray &bytes) = 0;
    // Makes what was appended durable (fsync); false on failure.
    virtual bool sync() = 0;
    // Cuts the file back to `size` bytes: after a failed append, the partial line goes.
    virtual bool truncate(qint64 size) = 0;
    virtual int errorCode() const = 0; // errno of the last failure
    virtual QString errorString() const = 0;
};

} // namespace lumetra
