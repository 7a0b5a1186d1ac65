// lumetra-cli m2: waist, Rayleigh length, divergence and M² of a beam from its caustic, after
// ISO 11146-1, from measured diameters or from the frames themselves.
#include "analysis/caustic/CausticReport.h"
#include "analysis/caustic/CausticSeries.h"
#include "analysis/caustic/Wavelength.h"
#include "cli/ArgumentCursor.h"
#include "cli/CausticCsv.h"
#include "cli/CausticPlotRunner.h"
#include "cli/CliCommand.h"
#include "cli/M2Frames.h"
#include "cli/M2Report.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <optional>
#include <stdexcept>

namespace lumetra::cli {
namespace {

const QString Usage = QStringLiteral(
    "m2 --wavelength NM (--diameters FILE.csv | IMAGE... (--z Z1,Z2,... | --z-from-names) --pixel-size UM "
    "[--axes lab|principal] [--exclude-warned]) [--format json|csv] [--plot OUT.png|.svg|.pdf]");

struct M2Args
{
    std::optional<double> wavelengthNm;
    QString diametersFile;
    QStringList images;
    std::optional<QString> zList;
    bool zFromNames = false;
    std::optional<double> pixelSizeUm;
    bool principal = false;
    bool excludeWarned = false;
    bool csv = false;
    QString plotPath;
};

[[noreturn]] void usage()
{
    throw CliError(QStringLiteral("usage: %1").arg(Usage));
}

void checkSources(const M2Args &parsed)
{
    if (!parsed.wavelengthNm)
        usage();
    const bool frameOptions = parsed.zList || parsed.zFromNames || parsed.pixelSizeUm || parsed.excludeWarned;
    if (!parsed.diametersFile.isEmpty()) {
        if (!parsed.images.isEmpty() || frameOptions)
            throw CliError(QStringLiteral("--diameters takes the place of images, --z, --z-from-names, "
                                          "--pixel-size and --exclude-warned"));
        return;
    }
    if (parsed.images.isEmpty())
        usage();
    if (parsed.zList.has_value() == parsed.zFromNames)
        throw CliError(QStringLiteral("give the images' z positions with --z Z1,Z2,... or --z-from-names"));
    if (!parsed.pixelSizeUm)
        throw CliError(QStringLiteral("--pixel-size UM is needed to give the diameters in micrometres"));
}

M2Args parseArgs(const QStringList &args)
{
    M2Args parsed;
    for (ArgumentCursor a(args); a.next();) {
        if (a.is("--wavelength")) {
            const beam::WavelengthParse w = beam::parseWavelength(a.value().toStdString());
            if (!w.ok())
                throw CliError(QString::fromStdString(w.error));
            parsed.wavelengthNm = w.nm;
        } else if (a.is("--diameters")) {
            parsed.diametersFile = a.value();
        } else if (a.is("--z")) {
            parsed.zList = a.value();
        } else if (a.is("--z-from-names")) {
            parsed.zFromNames = true;
        } else if (a.is("--pixel-size")) {
            const QString text = a.value();
            bool ok = false;
            const double size = text.toDouble(&ok);
            if (!ok || !std::isfinite(size) || size <= 0)
                throw CliError(QStringLiteral("--pixel-size needs a positive number of micrometres, not '%1'").arg(text));
            parsed.pixelSizeUm = size;
        } else if (a.is("--axes")) {
            parsed.principal = a.secondOf("lab", "principal");
        } else if (a.is("--exclude-warned")) {
            parsed.excludeWarned = true;
        } else if (a.is("--format")) {
            parsed.csv = a.secondOf("json", "csv");
        } else if (a.is("--plot")) {
            parsed.plotPath = a.value();
            if (!isPlotSuffix(parsed.plotPath))
                throw CliError(QStringLiteral("--plot writes .png, .svg or .pdf, not '%1'").arg(parsed.plotPath));
        } else if (a.current().startsWith(QLatin1String("--"))) {
            throw CliError(QStringLiteral("unknown option %1").arg(a.current()));
        } else {
            parsed.images << a.current();
        }
    }
    checkSources(parsed);
    return parsed;
}

int runM2(const QStringList &args)
{
    const M2Args parsed = parseArgs(args);
    beam::CausticSeries series;
    std::optional<MeasuredCaustic> frames;
    if (parsed.images.isEmpty()) {
        series.axes = readDiametersCsv(parsed.diametersFile);
    } else {
        const std::vector<double> z = causticZPositions(parsed.images, parsed.zFromNames ? std::nullopt : parsed.zList);
        frames = measureCausticFrames(parsed.images, z, *parsed.pixelSizeUm, parsed.principal, parsed.excludeWarned);
        series = std::move(frames->series);
    }
    series.wavelengthNm = *parsed.wavelengthNm;

    // The first axis is reported as "x" and the second as "y", also for the principal axes
    // (major, minor); "axes" then says which.
    // An axis that cannot be fitted is reported beside the others as {"error": ...} (exit status
    // 1); when none can be, there is nothing to report (exit status 2).
    const std::vector<AxisFit> fits = beam::fitCausticAxes(series);
    QStringList failures;
    for (const std::string &failure : beam::causticFailures(fits))
        failures << QString::fromStdString(failure);
    if (failures.size() == qsizetype(fits.size()))
        throw CliError(failures.join(QStringLiteral("; ")));
    if (!parsed.plotPath.isEmpty())
        plotCaustic(series, parsed.plotPath);

    std::string out;
    if (parsed.csv) {
        out = causticFitCsv(fits, series.wavelengthNm);
    } else {
        const std::optional<std::string> axes =
            frames ? std::optional<std::string>(parsed.principal ? "principal" : "lab") : std::nullopt;
        nlohmann::ordered_json json = beam::causticReportJson(series.wavelengthNm, fits, axes);
        if (frames) {
            json["frames_with_warnings"] = frames->framesWithWarnings;
            json["frames"] = std::move(frames->frames);
        }
        out = json.dump(2) + "\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    for (const QString &failure : failures)
        std::fprintf(stderr, "lumetra-cli m2: %s\n", qPrintable(failure));
    return failures.isEmpty() ? 0 : 1;
}

const CommandRegistration registration{{QStringLiteral("m2"), Usage,
                                        QStringLiteral("beam waist, Rayleigh length, divergence and M² (ISO "
                                                       "11146-1) from diameters or frames at several z, "
                                                       "optionally plotted"),
                                        runM2}};

} // namespace
} // namespace lumetra::cli
