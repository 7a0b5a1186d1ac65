// lumetra-cli beam: ISO 11146 second-moment diameters, centroid and orientation of the beam in
// each frame, measured at full resolution; several files in parallel.
#include "analysis/beam/BeamBatch.h"
#include "analysis/beam/report/BeamRows.h"
#include "cli/ArgumentCursor.h"
#include "cli/BeamOptionArguments.h"
#include "cli/CameraBeam.h"
#include "cli/CliCommand.h"
#include "platform/framefiles/FrameFile.h"
#include "platform/framefiles/PictureFiles.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace lumetra::cli {
namespace {

struct BeamRequest
{
    QStringList images;
    QString darkPath;
    std::optional<double> pixelSizeUm;
    beam::BeamOptions options;
    bool csv = false;
    bool widths = false; // --widths all: the widths and shape figures beyond D4σ too
    CameraRequest camera; // --camera: frames from a camera instead of files
};

BeamRequest parseBeamRequest(const QStringList &args)
{
    BeamRequest request;
    for (ArgumentCursor cursor(args); cursor.next();) {
        const QString &a = cursor.current();
        if (request.camera.take(cursor))
            continue;
        if (!a.startsWith(QLatin1String("--"))) {
            request.images << a;
            continue;
        }
        const QString value = cursor.value();
        if (a == QLatin1String("--dark"))
            request.darkPath = value;
        else if (a == QLatin1String("--pixel-size"))
            request.pixelSizeUm = numberOption(a, value, 0, 1e6, false);
        else if (takeBeamOption(a, value, request.options))
            continue;
        else if (a == QLatin1String("--widths")) {
            if (value != QLatin1String("all"))
                throw CliError(QStringLiteral("--widths takes 'all', not '%1'").arg(value));
            request.widths = true;
        } else if (a == QLatin1String("--format")) {
            request.csv = secondOf(a, value, "json", "csv");
        } else {
            throw CliError(QStringLiteral("unknown option %1").arg(a));
        }
    }
    if (!request.camera.camera.isEmpty() && !request.images.isEmpty())
        throw CliError(QStringLiteral("give images or --camera, not both"));
    if (request.images.isEmpty() && request.camera.camera.isEmpty())
        throw CliError(QStringLiteral("no image given"));
    return request;
}

int runBeam(const QStringList &args)
{
    const BeamRequest request = parseBeamRequest(args);
    std::optional<FrameReadResult> dark;
    if (!request.darkPath.isEmpty()) {
        dark = readFrameFile(request.darkPath);
        if (!dark->ok())
            throw CliError(QStringLiteral("cannot read the dark frame: %1").arg(dark->error));
    }
    if (!request.camera.camera.isEmpty())
        return measureCameraBeams(request.camera, request.options, dark ? &dark->frame : nullptr, request.pixelSizeUm,
                                  request.csv, request.widths);
    const auto measured =
        beam::measureBeamFiles(request.images, request.options, dark ? &dark->frame : nullptr,
                               pictureFileReaders().frame, 0, request.widths);

    bool unreadable = false;
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    if (request.csv)
        std::printf("%s\n", beam::beamCsvHeader(request.pixelSizeUm.has_value(), request.widths).c_str());
    for (const beam::BeamFileResult &r : measured) {
        if (!r.error.isEmpty()) {
            unreadable = true;
            std::fprintf(stderr, "lumetra-cli beam: %s\n", qPrintable(r.error));
        }
        const nlohmann::json row = beam::beamRowJson(r, request.pixelSizeUm, request.widths);
        if (request.csv)
            std::printf("%s\n", beam::beamCsvLine(row, request.pixelSizeUm.has_value(), request.widths).c_str());
        else
            rows.push_back(beam::beamRowOrdered(row));
    }
    if (!request.csv)
        std::printf("%s\n", (rows.size() == 1 ? rows[0] : rows).dump(2).c_str());
    return unreadable ? 2 : 0;
}

const CommandRegistration registration{CliCommand{
    QStringLiteral("beam"),
    QStringLiteral("beam (IMAGE... | --camera ID --frames N [--average N]) [--dark FILE] [--pixel-size UM] [--method robust|iso] [--stripes auto|off] "
                   "[--corner-fraction F] [--noise-factor N] [--mask-diameters M] [--widths all] [--format json|csv]"),
    QStringLiteral("ISO 11146 beam widths (D4sigma), centroid and orientation of each frame (files or a camera) at\n"
                   "      full resolution and depth"),
    runBeam}};

} // namespace
} // namespace lumetra::cli
