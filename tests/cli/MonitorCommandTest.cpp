// lumetra-cli monitor end to end: statistics recovered from a drifting, jittering simulated beam,
// the log as a reader finds it (also after the writer was killed or the disc filled up).
#include "support/CliRunner.h"
#include "support/PointingOracle.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace lumetra {
namespace {

struct LogFile
{
    QStringList header;
    std::vector<QStringList> rows;
    bool endsWithNewline = true;
    qsizetype fields = 0; // field count of every row (-1: they differ)
};

LogFile readLog(const QString &path)
{
    LogFile log;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return log;
    const QByteArray all = f.readAll();
    log.endsWithNewline = all.endsWith('\n');
    QList<QByteArray> lines = all.split('\n');
    lines.removeLast(); // after the last newline: empty, or a line cut short by the kill
    if (lines.isEmpty())
        return log;
    log.header = QString::fromUtf8(lines.takeFirst()).split(QLatin1Char(','));
    log.fields = log.header.size();
    for (const QByteArray &line : lines) {
        log.rows.push_back(QString::fromUtf8(line).split(QLatin1Char(',')));
        if (log.rows.back().size() != log.header.size())
            log.fields = -1;
    }
    return log;
}

double field(const LogFile &log, const QStringList &row, const char *name)
{
    return row.value(log.header.indexOf(QLatin1String(name))).toDouble();
}

test::CliResult runMonitor(const QStringList &args)
{
    // Long enough for a few thousand frames under the sanitizers.
    return test::runCli(QStringList{QStringLiteral("monitor")} + args, QString(), 240000);
}

TEST(MonitorCommand, RecoversTheDriftAndJitterOfTheSimulatedBeam)
{
    QTemporaryDir dir;
    const double driftX = 3.0, driftY = -1.5, jitter = 0.8; // px/min, px rms
    const auto r = runMonitor({"--camera", "simulated", "--frames", "3000", "--size", "320x240", "--drift", "3,-1.5",
                               "--jitter", "0.8", "--pixel-size", "5.5", "--distance", "400", "--log",
                               dir.filePath("m.csv")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const auto j = nlohmann::json::parse(r.out.toStdString());
    const auto &s = j["statistics"];
    EXPECT_EQ(j["logged"], 3000);
    EXPECT_EQ(j["rows_synced"], 3000);
    EXPECT_NEAR(s["drift_x_px_per_min"].get<double>(), driftX, 0.05 * driftX);
    EXPECT_NEAR(s["drift_y_px_per_min"].get<double>(), driftY, 0.05 * std::abs(driftY));
    EXPECT_NEAR(s["residual_sd_x_px"].get<double>(), jitter, 0.05 * jitter);
    EXPECT_NEAR(s["residual_sd_y_px"].get<double>(), jitter, 0.05 * jitter);
    EXPECT_NEAR(s["drift_x_um_per_min"].get<double>(), 5.5 * s["drift_x_px_per_min"].get<double>(), 1e-9);

    // The file: named after the start, one complete row per frame, and the printed statistics
    // are those of its rows (computed again by the oracle).
    const QString path = QString::fromStdString(j["log"].get<std::string>());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("/m-\\d{8}-\\d{6}\\.csv$")).match(path).hasMatch()) << qPrintable(path);
    const LogFile log = readLog(path);
    ASSERT_EQ(log.rows.size(), 3000u);
    EXPECT_EQ(log.fields, 31); // 25 fields and 6 lengths again in µm
    EXPECT_TRUE(log.header.contains(QStringLiteral("exposure_us")) && log.header.contains(QStringLiteral("dropped_frames")));
    EXPECT_EQ(log.header.back(), QStringLiteral("warnings")); // after every earlier column
    const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z$"));
    std::vector<test::TrackPoint> points;
    for (std::size_t i = 0; i < log.rows.size(); ++i) {
        const QStringList &row = log.rows[i];
        ASSERT_TRUE(iso.match(row[0]).hasMatch()) << qPrintable(row[0]);
        EXPECT_EQ(row[1].toLongLong(), (long long)i + 1);
        EXPECT_EQ(row[log.header.indexOf(QStringLiteral("exposure_us"))], QString()); // the simulated camera has none
        points.push_back({field(log, row, "elapsed_s"), field(log, row, "centroid_x_px"), field(log, row, "centroid_y_px"),
                          field(log, row, "d4s_x_px"), field(log, row, "d4s_y_px")});
    }
    const test::PointingOracle o = test::pointingOracle(points);
    // The file keeps three decimals: agreement to a few thousandths of a pixel.
    EXPECT_NEAR(s["centroid_sd_x_px"].get<double>(), o.sdX, 2e-3);
    EXPECT_NEAR(s["stability_2sigma_u_px"].get<double>(), o.stabilityU, 2e-3);
    EXPECT_NEAR(s["stability_2sigma_v_px"].get<double>(), o.stabilityV, 2e-3);
    EXPECT_NEAR(s["stability_2sigma_px"].get<double>(), o.stability, 2e-3);
    EXPECT_NEAR(s["azimuth_deg"].get<double>(), o.azimuthDeg, 0.1);
    EXPECT_NEAR(s["drift_x_px_per_min"].get<double>(), o.driftX, 1e-3);
    // δ = Δ / L: µm over mm is mrad.
    EXPECT_NEAR(s["angular_stability_urad"].get<double>(), o.stability * 5.5 / 400.0 * 1000.0, 0.01);
}

TEST(MonitorCommand, KeepsEveryNthFrameOrOneFramePerIntervalAndRefusesUnknownCameras)
{
    QTemporaryDir dir;
    const auto every = runMonitor({"--camera", "simulated", "--frames", "50", "--every", "10", "--size", "320x240",
                                   "--log", dir.filePath("every.csv")});
    ASSERT_EQ(every.exitCode, 0) << qPrintable(every.err);
    LogFile log = readLog(QString::fromStdString(nlohmann::json::parse(every.out.toStdString())["log"].get<std::string>()));
    QStringList frames;
    for (const QStringList &row : log.rows)
        frames << row[1];
    EXPECT_EQ(frames.join(QLatin1Char(' ')), QStringLiteral("1 11 21 31 41"));

    const auto interval = runMonitor({"--camera", "simulated", "--frames", "100", "--interval", "1", "--size",
                                      "320x240", "--log", dir.filePath("interval.csv")});
    ASSERT_EQ(interval.exitCode, 0) << qPrintable(interval.err);
    log = readLog(QString::fromStdString(nlohmann::json::parse(interval.out.toStdString())["log"].get<std::string>()));
    frames.clear();
    for (const QStringList &row : log.rows)
        frames << row[1] + QLatin1Char('@') + row[2];
    EXPECT_EQ(frames.join(QLatin1Char(' ')), QStringLiteral("1@0.000 26@1.000 51@2.000 76@3.000"));

    // A GenICam camera: Aravis's in-process fake camera (no network); it shows a ramp, no beam,
    // and its exposure is logged in µs.
    const auto fake = runMonitor({"--camera", "Fake_1", "--frames", "3", "--log", dir.filePath("fake.csv")});
    ASSERT_EQ(fake.exitCode, 0) << qPrintable(fake.err);
    const nlohmann::json fakeRun = nlohmann::json::parse(fake.out.toStdString());
    log = readLog(QString::fromStdString(fakeRun["log"].get<std::string>()));
    // A streaming camera's frame that a newer one replaced before it was measured is counted, not
    // logged: at least the last of the three camera frames is.
    EXPECT_GE(fakeRun["frames"].get<int>(), 3);
    ASSERT_FALSE(log.rows.empty());
    EXPECT_LE(log.rows.size(), fakeRun["frames"].get<std::size_t>());
    EXPECT_EQ(fakeRun["frames"].get<long long>(), fakeRun["logged"].get<long long>() + fakeRun["dropped"].get<long long>())
        << fakeRun.dump();
    EXPECT_GT(field(log, log.rows[0], "exposure_us"), 0);

    const auto unknown = runMonitor({"--camera", "Fake_9", "--frames", "5", "--log", dir.filePath("x.csv")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("cannot open camera 'Fake_9'"))) << qPrintable(unknown.err);
    const auto both = runMonitor({"--camera", "simulated", "--frames", "5", "--duration", "5s", "--log", dir.filePath("x.csv")});
    EXPECT_EQ(both.exitCode, 2);
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("x*")}).isEmpty()); // nothing made on bad input
}

TEST(MonitorCommand, AKilledWriterLeavesEveryRowSyncedBeforeTheKill)
{
    QTemporaryDir dir;
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(test::cliExecutable(), {"monitor", "--camera", "simulated", "--duration", "60m", "--size", "320x240",
                                    "--progress", "--log", dir.filePath("kill.csv")});
    ASSERT_TRUE(p.waitForStarted());
    QString err, path;
    long long synced = 0;
    static const QRegularExpression syncedLine(QStringLiteral("synced (\\d+)\\n"));
    static const QRegularExpression logging(QStringLiteral("logging to (.*)\\n"));
    QElapsedTimer clock;
    clock.start();
    // Until three syncs with rows have been reported (the header alone is the first).
    int syncs = 0;
    while (syncs < 3 && clock.elapsed() < 60000) {
        p.waitForReadyRead(500);
        err += QString::fromUtf8(p.readAllStandardError());
        syncs = 0;
        for (auto it = syncedLine.globalMatch(err); it.hasNext();) {
            const long long n = it.next().captured(1).toLongLong();
            if (n > 0)
                ++syncs;
            synced = std::max(synced, n);
        }
    }
    p.kill(); // SIGKILL
    p.waitForFinished();
    EXPECT_EQ(p.exitStatus(), QProcess::CrashExit);
    ASSERT_GE(syncs, 3) << qPrintable(err);
    path = logging.match(err).captured(1);
    ASSERT_FALSE(path.isEmpty()) << qPrintable(err);

    const LogFile log = readLog(path);
    EXPECT_EQ(log.fields, 25); // every complete row has every field
    EXPECT_GE((long long)log.rows.size(), synced);
    // No row is missing in between: each camera frame was either logged or dropped.
    for (std::size_t i = 0; i < log.rows.size(); ++i) {
        const long long frame = log.rows[i][1].toLongLong();
        const long long dropped = log.rows[i][log.header.indexOf(QStringLiteral("dropped_frames"))].toLongLong();
        ASSERT_EQ(frame, (long long)i + 1 + dropped) << "row " << i;
        EXPECT_TRUE(QDateTime::fromString(log.rows[i][0], Qt::ISODateWithMs).isValid());
    }
}

TEST(MonitorCommand, AFullDiscStopsTheLogAndKeepsItsRows)
{
    // A 48 KiB file system of its own, where the process may mount one (root in a mount namespace).
    if (QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty())
        GTEST_SKIP() << "no unshare";
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("tiny"));
    QDir(dir.path()).mkdir(QStringLiteral("kept"));
    const QString script = QStringLiteral(
        "mount -t tmpfs -o size=48k tmpfs \"$1/tiny\" || exit 77; \"$2\" monitor --camera simulated --frames 30000 "
        "--size 320x240 --log \"$1/tiny/full.csv\" >\"$1/kept/out.json\" 2>\"$1/kept/err.txt\"; s=$?; "
        "cp \"$1\"/tiny/*.csv \"$1/kept/\"; exit $s");
    QProcess p;
    p.start(QStringLiteral("unshare"), {"-m", "sh", "-c", script, "sh", dir.path(), test::cliExecutable()});
    ASSERT_TRUE(p.waitForFinished(240000));
    if (p.exitCode() == 77 || !QFile::exists(dir.filePath("kept/out.json")))
        GTEST_SKIP() << "cannot mount a small file system here";
    EXPECT_EQ(p.exitCode(), 1); // a failure, reported as one
    QFile errFile(dir.filePath("kept/err.txt")), outFile(dir.filePath("kept/out.json"));
    ASSERT_TRUE(errFile.open(QIODevice::ReadOnly) && outFile.open(QIODevice::ReadOnly));
    const QString err = QString::fromUtf8(errFile.readAll());
    EXPECT_TRUE(err.contains(QStringLiteral("the log stopped: No space left on device"))) << qPrintable(err);
    const auto j = nlohmann::json::parse(outFile.readAll().toStdString());
    EXPECT_EQ(j["log_error"], "No space left on device");
    const QStringList kept = QDir(dir.filePath("kept")).entryList({QStringLiteral("full-*.csv")});
    ASSERT_EQ(kept.size(), 1);
    const LogFile log = readLog(dir.filePath("kept/") + kept.first());
    EXPECT_TRUE(log.endsWithNewline);
    EXPECT_EQ(log.fields, 25);
    EXPECT_EQ((long long)log.rows.size(), j["rows_synced"].get<long long>());
    EXPECT_GT(log.rows.size(), 100u);
    EXPECT_LT(j["logged"].get<long long>(), 30000); // stopped early (the simulated camera is not paced)
}

} // namespace
} // namespace lumetra
