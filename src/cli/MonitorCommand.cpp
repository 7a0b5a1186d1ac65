// lumetra-cli monitor: long-term logging of the beam a camera sees, then its pointing statistics.
#include "analysis/monitoring/StatisticsJson.h"
#include "analysis/monitoring/MonitorLogRow.h"
#include "cli/BeamOptionArguments.h"
#include "cli/ArgumentCursor.h"
#include "cli/CliCommand.h"
#include "cli/MonitorCamera.h"
#include "cli/MonitorRun.h"
#include "devices/SimulatedCaptureDevice.h"
#include "platform/logging/AppendFile.h"

#include <QRegularExpression>

#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>

namespace lumetra::cli {
namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void interruptMonitor(int)
{
    g_interrupted = true;
}

struct MonitorRequest
{
    QString camera;
    QString logPath;
    MonitorPlan plan;
    monitoring::MonitorPace pace;
    monitoring::AngularReference reference;
    double pixelSizeUm = 0;
    double magnification = 1;
    std::optional<QSize> size;
    std::optional<int> source;
    std::optional<double> driftX, driftY, jitter;
    bool progress = false;
};

// "90" or "90s", "10m", "8h", "1.5h".
double durationSeconds(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]+(?:\\.[0-9]+)?)([smh]?)$"));
    const auto m = form.match(text);
    if (!m.hasMatch() || m.captured(1).toDouble() <= 0)
        throw CliError(QStringLiteral("--duration needs a time such as 90s, 10m or 8h, not '%1'").arg(text));
    const QString unit = m.captured(2);
    return m.captured(1).toDouble() * (unit == QLatin1String("h") ? 3600.0 : unit == QLatin1String("m") ? 60.0 : 1.0);
}

MonitorRequest parseRequest(const QStringList &args)
{
    MonitorRequest r;
    bool every = false, interval = false;
    for (ArgumentCursor c(args); c.next();) {
        const QString a = c.current();
        if (!a.startsWith(QLatin1String("--")))
            throw CliError(QStringLiteral("unexpected argument '%1'").arg(a));
        if (a == QLatin1String("--progress")) {
            r.progress = true;
            continue;
        }
        const QString v = c.value();
        if (a == QLatin1String("--camera"))
            r.camera = v;
        else if (a == QLatin1String("--log"))
            r.logPath = v;
        else if (a == QLatin1String("--duration"))
            r.plan.durationS = durationSeconds(v);
        else if (a == QLatin1String("--frames"))
            r.plan.frames = (long long)numberOption(a, v, 1, 1e9);
        else if (a == QLatin1String("--every")) {
            every = true;
            r.pace = {monitoring::MonitorPace::EveryNthFrame, int(numberOption(a, v, 1, 1e6)), 1.0};
        } else if (a == QLatin1String("--interval")) {
            interval = true;
            r.pace = {monitoring::MonitorPace::EveryInterval, 1, numberOption(a, v, 0, 86400, false)};
        } else if (a == QLatin1String("--pixel-size"))
            r.pixelSizeUm = numberOption(a, v, 0, 1e6, false);
        else if (a == QLatin1String("--magnification"))
            r.magnification = numberOption(a, v, 0, 1e6, false);
        else if (a == QLatin1String("--distance"))
            r.reference.distanceMm = numberOption(a, v, 0, 1e9, false);
        else if (takeBeamOption(a, v, r.plan.options))
            continue;
        else if (a == QLatin1String("--size")) {
            static const QRegularExpression form(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})$"));
            const auto m = form.match(v);
            if (!m.hasMatch())
                throw CliError(QStringLiteral("--size needs WIDTHxHEIGHT, not '%1'").arg(v));
            r.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        } else if (a == QLatin1String("--source"))
            r.source = int(numberOption(a, v, 0, 4));
        else if (a == QLatin1String("--drift")) {
            const QStringList parts = v.split(QLatin1Char(','));
            if (parts.size() > 2)
                throw CliError(QStringLiteral("--drift needs X or X,Y in pixels a minute, not '%1'").arg(v));
            r.driftX = numberOption(a, parts[0], -1e4, 1e4);
            r.driftY = parts.size() == 2 ? numberOption(a, parts[1], -1e4, 1e4) : 0.0;
        } else if (a == QLatin1String("--jitter"))
            r.jitter = numberOption(a, v, 0, 1e3);
        else
            throw CliError(QStringLiteral("unknown option %1").arg(a));
    }
    if (r.camera.isEmpty())
        throw CliError(QStringLiteral("--camera is missing"));
    if (r.logPath.isEmpty())
        throw CliError(QStringLiteral("--log is missing"));
    if (r.plan.durationS.has_value() == r.plan.frames.has_value())
        throw CliError(QStringLiteral("give either --duration or --frames"));
    if (every && interval)
        throw CliError(QStringLiteral("give --every or --interval, not both"));
    r.plan.umPerPixel = r.pixelSizeUm > 0 ? r.pixelSizeUm / r.magnification : 0.0;
    return r;
}

void configureCamera(CaptureDevice &device, const MonitorRequest &r)
{
    auto *simulated = dynamic_cast<SimulatedCaptureDevice *>(&device);
    if ((r.source || r.driftX || r.jitter) && !simulated)
        throw CliError(QStringLiteral("--source, --drift and --jitter are for --camera simulated"));
    if (r.size) {
        if (!device.setFormat(r.size->width(), r.size->height(), device.format().subtype))
            throw CliError(QStringLiteral("the camera does not deliver %1x%2").arg(r.size->width()).arg(r.size->height()));
        device.stop(); // an accepted format starts the stream; the run starts it again when it streams
    }
    if (simulated) {
        if (r.source)
            simulated->setInput(*r.source);
        simulated->setMotion(r.driftX.value_or(0), r.driftY.value_or(0), r.jitter.value_or(0));
    }
}

nlohmann::ordered_json paceJson(const monitoring::MonitorPace &pace)
{
    switch (pace.kind) {
    case monitoring::MonitorPace::EveryNthFrame: return {{"every_frames", pace.frames}};
    case monitoring::MonitorPace::EveryInterval: return {{"every_seconds", pace.seconds}};
    case monitoring::MonitorPace::EveryFrame: break;
    }
    return {{"every_frames", 1}};
}

int runMonitorCommand(const QStringList &args)
{
    const MonitorRequest request = parseRequest(args);
    QString error;
    const std::unique_ptr<CaptureDevice> device = openMonitorCamera(request.camera, &error);
    if (!device)
        throw CliError(error);
    configureCamera(*device, request);

    const QDateTime start = QDateTime::currentDateTime();
    const QString path = timestampedLogPath(request.logPath, start);
    auto file = AppendFile::create(path, &error);
    if (!file)
        throw CliError(error);
    LogWriter log(std::move(file), monitoring::monitorLogHeader(request.plan.umPerPixel > 0));
    if (request.progress)
        log.onSynced([](long long lines) { std::fprintf(stderr, "synced %lld\n", lines); });
    std::fprintf(stderr, "lumetra-cli monitor: logging to %s\n", qPrintable(path));

    g_interrupted = false;
    std::signal(SIGINT, interruptMonitor);
    std::signal(SIGTERM, interruptMonitor);
    monitoring::MonitorRecorder recorder(request.pace);
    const MonitorOutcome outcome = runMonitor(*device, request.plan, recorder, log, start, g_interrupted);
    log.stop();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    device->release();

    nlohmann::ordered_json j;
    j["camera"] = request.camera.toStdString();
    j["log"] = path.toStdString();
    j["started"] = start.toUTC().toString(Qt::ISODateWithMs).toStdString();
    j["pace"] = paceJson(request.pace);
    j["frames"] = outcome.frames;
    j["logged"] = recorder.recorded();
    j["rows_synced"] = log.linesSynced();
    j["without_beam"] = recorder.withoutBeam();
    j["dropped"] = outcome.dropped;
    j["interrupted"] = g_interrupted.load();
    j["log_error"] = log.failed() ? nlohmann::json(log.error().toStdString()) : nlohmann::json(nullptr);
    j["camera_error"] = outcome.deviceError.isEmpty() ? nlohmann::json(nullptr)
                                                      : nlohmann::json(outcome.deviceError.toStdString());
    if (request.plan.umPerPixel > 0)
        j["um_per_pixel"] = request.plan.umPerPixel;
    j["statistics"] = monitoring::statisticsJson(monitoring::PointingStatistics::of(recorder.total()),
                                                 request.plan.umPerPixel, request.reference);
    j["last_minute"] = monitoring::statisticsJson(
        monitoring::PointingStatistics::of(recorder.history().windowMoments(0)), request.plan.umPerPixel,
        request.reference);
    std::printf("%s\n", j.dump(2).c_str());
    if (log.failed()) {
        std::fprintf(stderr,
                     "lumetra-cli monitor: the log stopped: %s; the %lld rows written before are kept in %s\n",
                     qPrintable(log.error()), log.linesSynced(), qPrintable(path));
        return 1;
    }
    if (!outcome.deviceError.isEmpty()) {
        std::fprintf(stderr, "lumetra-cli monitor: the camera failed: %s\n", qPrintable(outcome.deviceError));
        return 1;
    }
    return 0;
}

const CommandRegistration registration{CliCommand{
    QStringLiteral("monitor"),
    QStringLiteral("monitor --camera ID (--duration 10m | --frames N) [--every N | --interval S] --log FILE.csv "
                   "[--pixel-size UM [--magnification M]] [--distance MM] [--method robust|iso] [--stripes auto|off] "
                   "[--corner-fraction F] [--noise-factor N] [--mask-diameters M] [--size WxH] [--source N] "
                   "[--drift X[,Y]] [--jitter PX] [--progress]"),
    QStringLiteral("measures camera frames for minutes or hours into an appended CSV log, then prints the\n"
                   "      pointing statistics as JSON"),
    runMonitorCommand}};

} // namespace
} // namespace lumetra::cli
