// lumetra-cli grab: frames from a GenICam camera into files at the camera's own depth.
#include "cli/ArgumentCursor.h"
#include "cli/CameraSession.h"
#include "cli/CliCommand.h"
#include "platform/framefiles/DeepFrameFile.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <cstdio>

namespace lumetra::cli {
namespace {

DeepFrame roundedFrame(const beam::BeamFrame &mean, int depth)
{
    DeepFrame frame;
    frame.width = mean.width;
    frame.height = mean.height;
    frame.bitDepth = depth;
    frame.samples.resize(mean.values.size());
    for (std::size_t i = 0; i < mean.values.size(); ++i)
        frame.samples[i] = std::uint16_t(std::lround(mean.values[i]));
    return frame;
}

int runGrab(const QStringList &args)
{
    CameraRequest request;
    QString pattern;
    for (ArgumentCursor cursor(args); cursor.next();) {
        if (request.take(cursor))
            continue;
        if (cursor.current().startsWith(QLatin1String("--")))
            throw CliError(QStringLiteral("unknown option %1").arg(cursor.current()));
        if (!pattern.isEmpty())
            throw CliError(QStringLiteral("one output pattern only, not '%1' and '%2'").arg(pattern, cursor.current()));
        pattern = cursor.current();
    }
    request.check();
    if (pattern.isEmpty() || !pattern.contains(QLatin1String("{n}")))
        throw CliError(QStringLiteral("give an output pattern holding {n}, e.g. out/f-{n}.png"));
    const QString suffix = QFileInfo(pattern).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("tif") && suffix != QLatin1String("tiff") &&
        suffix != QLatin1String("pgm"))
        throw CliError(QStringLiteral("the output pattern must end in .png, .tif, .tiff or .pgm"));
    const QString folder = QFileInfo(pattern).absolutePath();
    if (!QDir().mkpath(folder))
        throw CliError(QStringLiteral("cannot make the folder %1").arg(folder));
    grabFrames(request, [&pattern](int n, const beam::BeamFrame &mean, int depth) {
        const QString path = QString(pattern).replace(QLatin1String("{n}"), QString::number(n));
        const QString error = saveDeepFrame(roundedFrame(mean, depth), path);
        if (!error.isEmpty())
            throw CliError(error);
        std::printf("%s\n", qPrintable(path));
        std::fflush(stdout);
    });
    return 0;
}

const CommandRegistration registration{CliCommand{
    QStringLiteral("grab"),
    QStringLiteral("grab --camera ID --frames N [--exposure-us E] [--gain G] [--pixel-format F] [--average N] "
                   "[--roi X,Y,W,H] OUT_PATTERN"),
    QStringLiteral("N frames from a GenICam camera into PNG, TIFF or PGM files at the camera's own depth"),
    runGrab}};

} // namespace
} // namespace lumetra::cli
