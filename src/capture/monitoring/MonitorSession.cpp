#include "capture/monitoring/MonitorSession.h"

#include "analysis/monitoring/MonitorLogRow.h"
#include "platform/logging/AppendFile.h"

#include <cerrno>

namespace lumetra {

MonitorSession::MonitorSession(QObject *parent) : QObject(parent) {}

MonitorSession::~MonitorSession()
{
    stop();
}

bool MonitorSession::start(const QString &requestedPath, monitoring::MonitorPace pace, double umPerPixel,
                           QString *error)
{
    stop();
    m_start = QDateTime::currentDateTime();
    const QString path = timestampedLogPath(requestedPath, m_start);
    std::unique_ptr<AppendSink> file = m_opener ? m_opener(path, error) : AppendFile::create(path, error);
    if (!file)
        return false;
    m_recorder = monitoring::MonitorRecorder(pace);
    m_path = path;
    m_umPerPixel = umPerPixel;
    m_firstSeconds = -1;
    m_elapsed = 0;
    m_dropped = 0;
    m_syncedAtEnd = 0;
    m_log = std::make_unique<LogWriter>(std::move(file), monitoring::monitorLogHeader(umPerPixel > 0));
    LogWriter *log = m_log.get();
    m_log->onFailed([this, log](const QString &reason) {
        const int code = log->errorCode();
        QMetaObject::invokeMethod(this, [this, reason, code] { logFailed(reason, code); }, Qt::QueuedConnection);
    });
    return true;
}

void MonitorSession::stop()
{
    if (!m_log)
        return;
    m_log->stop();
    m_syncedAtEnd = m_log->linesSynced();
    m_log.reset();
}

long long MonitorSession::linesSynced() const
{
    return m_log ? m_log->linesSynced() : m_syncedAtEnd;
}

void MonitorSession::setCameraReadings(std::optional<double> exposureUs, std::optional<double> gain)
{
    m_exposure = exposureUs;
    m_gain = gain;
}

void MonitorSession::offer(const LiveSample &sample, long long dropped)
{
    if (!m_log || m_log->failed())
        return;
    if (m_firstSeconds < 0) {
        m_firstSeconds = sample.seconds;
        m_firstFrame = sample.frame;
        m_droppedAtStart = dropped;
    }
    const double t = sample.seconds - m_firstSeconds;
    const long long frame = sample.frame - m_firstFrame + 1;
    m_dropped = dropped - m_droppedAtStart;
    if (!m_recorder.take(frame, t))
        return;
    m_elapsed = t;
    m_recorder.record(t, sample.result);
    monitoring::MonitorLogRow row;
    row.when = m_start.addMSecs(qint64(t * 1000.0 + 0.5));
    row.frame = frame;
    row.elapsedS = t;
    row.result = sample.result;
    row.exposureUs = m_exposure;
    row.gain = m_gain;
    row.dropped = m_dropped;
    m_log->append(monitoring::monitorLogLine(row, m_umPerPixel));
}

void MonitorSession::logFailed(const QString &reason, int code)
{
    if (!m_log)
        return;
    const QString cause = code == ENOSPC ? tr("磁盘已满") : tr("写入失败");
    const QString message = tr("记录已停止：%1（%2）。已写入的 %3 行保留在 %4")
                                .arg(cause, reason)
                                .arg(m_log->linesSynced())
                                .arg(m_path);
    stop();
    emit failed(message);
}

} // namespace lumetra
