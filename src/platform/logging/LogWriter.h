#pragma once

#include "platform/logging/AppendSink.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace lumetra {

// Writes an append-only log on a thread of its own: lines handed over are collected and, about
// once per `syncInterval`, appended in one go and synced (fsync), so a crash or a power cut loses
// at most the last interval. A failed append (a full disc) stops the log for good: the partial
// line is cut off again, every whole line that fits stays, later lines are ignored, and failed()
// and error() say so. stop() (also the destructor) writes and syncs what is left.
class LogWriter
{
public:
    // The header is the first thing written.
    LogWriter(std::unique_ptr<AppendSink> sink, QByteArray header, int syncIntervalMs = 1000);
    ~LogWriter();

    // From any thread.
    void append(QByteArray line);
    void stop();

    bool failed() const { return m_failed; }
    int errorCode() const;
    QString error() const;
    // Lines (not counting the header) appended and synced so far.
    long long linesSynced() const { return m_synced; }

    // Called on the writer thread after each sync with the lines synced so far, and once when the
    // log fails with the reason.
    void onSynced(std::function<void(long long lines)> callback);
    void onFailed(std::function<void(const QString &reason)> callback);

private:
    void run(std::stop_token stop);
    bool writeOut(std::vector<QByteArray> &batch);
    void reportSynced(long long lines);

    std::unique_ptr<AppendSink> m_sink;
    int m_intervalMs;
    mutable std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::vector<QByteArray> m_pending;
    qint64 m_goodSize = 0; // bytes ending with the last complete line
    std::atomic<bool> m_failed{false};
    std::atomic<long long> m_synced{0};
    int m_errorCode = 0;
    QString m_error;
    std::function<void(long long)> m_onSynced;
    std::function<void(const QString &)> m_onFailed;
    std::jthread m_thread; // last: joined before the rest goes
};

// The file a log started at `start` goes to: `requested` with the start time (local,
// yyyyMMdd-HHmmss) before its suffix: m.csv -> m-20261208-093015.csv.
QString timestampedLogPath(const QString &requested, const QDateTime &start);

} // namespace lumetra
