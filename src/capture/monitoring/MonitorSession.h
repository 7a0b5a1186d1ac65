#pragma once

#include "analysis/monitoring/MonitorRecorder.h"
#include "capture/live/LiveMeasurer.h"
#include "platform/logging/LogWriter.h"

#include <QDateTime>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace lumetra {

// One recording of the live measurement ("记录"): the kept frames (every one, every N-th or one
// every T seconds) go into the statistics and the plots' history and, as CSV rows, into a log
// written in the background. A full disc (any failed write) ends the recording with a message;
// what was written stays.
class MonitorSession : public QObject
{
    Q_OBJECT

public:
    explicit MonitorSession(QObject *parent = nullptr);
    ~MonitorSession() override;

    // Starts a log at `requestedPath` with the start time in its name; false with `error` set
    // when the file cannot be made. umPerPixel > 0 adds the lengths in µm to every row.
    bool start(const QString &requestedPath, monitoring::MonitorPace pace, double umPerPixel, QString *error);
    // Writes out and syncs what is left.
    void stop();
    bool isRecording() const { return m_log != nullptr; }

    // A live measurement; `dropped` counts the frames the measurer has dropped so far.
    void offer(const LiveSample &sample, long long dropped);

    const monitoring::MonitorRecorder &recorder() const { return m_recorder; }
    QString path() const { return m_path; }
    double umPerPixel() const { return m_umPerPixel; }
    long long linesSynced() const;
    long long dropped() const { return m_dropped; }
    // The seconds since the recording started of the newest kept frame.
    double elapsed() const { return m_elapsed; }

    // Where logs are opened (default: AppendFile::create), for tests that need a disc that fills up.
    using SinkOpener = std::function<std::unique_ptr<AppendSink>(const QString &path, QString *error)>;
    void setSinkOpener(SinkOpener opener) { m_opener = std::move(opener); }

    // Camera readings for the rows; empty: the camera has none.
    void setCameraReadings(std::optional<double> exposureUs, std::optional<double> gain);

signals:
    // The log stopped by itself (user-interface thread); the reason in the user's words.
    void failed(const QString &message);

private:
    void logFailed(const QString &reason, int code);

    monitoring::MonitorRecorder m_recorder;
    std::unique_ptr<LogWriter> m_log;
    QString m_path;
    QDateTime m_start;
    double m_firstSeconds = -1;
    double m_umPerPixel = 0;
    double m_elapsed = 0;
    long long m_firstFrame = 0;
    long long m_dropped = 0;
    long long m_droppedAtStart = 0;
    long long m_syncedAtEnd = 0;
    std::optional<double> m_exposure, m_gain;
    SinkOpener m_opener;
};

} // namespace lumetra
