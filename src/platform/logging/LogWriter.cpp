#include "platform/logging/LogWriter.h"

#include <QFileInfo>

namespace lumetra {

LogWriter::LogWriter(std::unique_ptr<AppendSink> sink, QByteArray header, int syncIntervalMs)
    : m_sink(std::move(sink)), m_intervalMs(syncIntervalMs)
{
    m_pending.push_back(std::move(header));
    m_thread = std::jthread([this](std::stop_token stop) { run(stop); });
}

LogWriter::~LogWriter()
{
    stop();
}

void LogWriter::append(QByteArray line)
{
    if (m_failed)
        return;
    std::lock_guard lock(m_mutex);
    m_pending.push_back(std::move(line));
}

void LogWriter::stop()
{
    if (!m_thread.joinable())
        return;
    m_thread.request_stop();
    m_wake.notify_all();
    m_thread.join();
}

void LogWriter::onSynced(std::function<void(long long)> callback)
{
    std::lock_guard lock(m_mutex);
    m_onSynced = std::move(callback);
}

void LogWriter::onFailed(std::function<void(const QString &)> callback)
{
    std::lock_guard lock(m_mutex);
    m_onFailed = std::move(callback);
}

int LogWriter::errorCode() const
{
    std::lock_guard lock(m_mutex);
    return m_errorCode;
}

QString LogWriter::error() const
{
    std::lock_guard lock(m_mutex);
    return m_error;
}

bool LogWriter::writeOut(std::vector<QByteArray> &batch)
{
    if (batch.empty())
        return true;
    QByteArray bytes;
    qsizetype total = 0;
    for (const QByteArray &line : batch)
        total += line.size();
    bytes.reserve(total);
    for (const QByteArray &line : batch)
        bytes += line;
    const bool headerInBatch = m_goodSize == 0;
    if (m_sink->append(bytes) && m_sink->sync()) {
        m_goodSize += bytes.size();
        reportSynced(headerInBatch ? qsizetype(batch.size()) - 1 : qsizetype(batch.size()));
        batch.clear();
        return true;
    }
    const int code = m_sink->errorCode();
    const QString reason = m_sink->errorString();
    // A full disc: cut the partial tail off, then put back line by line whatever still fits, so
    // the log keeps every whole line the disc can hold.
    long long kept = 0;
    if (m_sink->truncate(m_goodSize)) {
        for (std::size_t i = 0; i < batch.size(); ++i) {
            if (!m_sink->append(batch[i])) {
                m_sink->truncate(m_goodSize);
                break;
            }
            m_goodSize += batch[i].size();
            if (!(headerInBatch && i == 0))
                ++kept;
        }
    }
    if (!m_sink->sync()) {
        // Nothing after the last good sync can be trusted to be there.
        kept = 0;
    }
    batch.clear();
    if (kept > 0)
        reportSynced(kept);
    {
        std::lock_guard lock(m_mutex);
        m_errorCode = code;
        m_error = reason;
        m_pending.clear();
    }
    m_failed = true;
    std::function<void(const QString &)> failed;
    {
        std::lock_guard lock(m_mutex);
        failed = m_onFailed;
    }
    if (failed)
        failed(reason);
    return false;
}

void LogWriter::reportSynced(long long lines)
{
    m_synced += lines;
    std::function<void(long long)> synced;
    {
        std::lock_guard lock(m_mutex);
        synced = m_onSynced;
    }
    if (synced)
        synced(m_synced);
}

void LogWriter::run(std::stop_token stop)
{
    std::vector<QByteArray> batch;
    bool first = true; // the header goes out at once: a log always starts with it
    while (true) {
        {
            std::unique_lock lock(m_mutex);
            if (!first)
                m_wake.wait_for(lock, stop, std::chrono::milliseconds(m_intervalMs), [] { return false; });
            first = false;
            batch.swap(m_pending);
        }
        if (!writeOut(batch) || stop.stop_requested())
            break;
    }
    // Lines handed over while the last batch was written.
    if (!m_failed) {
        std::lock_guard lock(m_mutex);
        batch.swap(m_pending);
    }
    if (!m_failed)
        writeOut(batch);
}

QString timestampedLogPath(const QString &requested, const QDateTime &start)
{
    const QFileInfo info(requested);
    const QString stamp = start.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString suffix = info.suffix();
    QString base = info.completeBaseName();
    if (base.isEmpty())
        base = QStringLiteral("monitor");
    const QString name = base + QLatin1Char('-') + stamp + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
    // The folder part stays as it was given.
    return requested.left(requested.lastIndexOf(QLatin1Char('/')) + 1) + name;
}

} // namespace lumetra
