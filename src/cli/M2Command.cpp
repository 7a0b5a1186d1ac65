// lumetra-cli m2: waist, Rayleigh length, divergence and M² of a beam from its caustic, after
// ISO 11146-1, from measured diameters or from the frames themselves.
#include "analysis/beam/CausticFit.h"
#include "analysis/beam/CausticSeries.h"
#include "analysis/beam/Wavelength.h"
#include "cli/ArgumentCursor.h"
#include "cli/CausticCsv.h"
#include "cli/CausticPlotRunner.h"
#include "cli/CliCommand.h"
#include "cli/M2Report.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <optional>

namespace lumetra::cli {
namespace {

const QString Usage = QStringLiteral(
    "m2 --wavelength NM (--diameters FILE.csv | IMAGE... (--z Z1,Z2,... | --z-from-names) --pixel-size UM "
    "[--axes lab|principal]) [--format json|csv] [--plot OUT.png|.svg|.pdf]");

struct M2Args
{
    std::optional<double> wavelengthNm;
    QString diametersFile;
    bool csv = false;
    QString plotPath;
};

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
        } else if (a.is("--format")) {
            const QString format = a.value();
            if (format != QLatin1String("json") && format != QLatin1String("csv"))
                throw CliError(QStringLiteral("--format is json or csv, not '%1'").arg(format));
            parsed.csv = format == QLatin1String("csv");
        } else if (a.is("--plot")) {
            parsed.plotPath = a.value();
            if (!isPlotSuffix(parsed.plotPath))
                throw CliError(QStringLiteral("--plot writes .png, .svg or .pdf, not '%1'").arg(parsed.plotPath));
        } else if (a.current().startsWith(QLatin1String("--"))) {
            throw CliError(QStringLiteral("unknown option %1").arg(a.current()));
        } else {
            throw CliError(QStringLiteral("usage: %1").arg(Usage));
        }
    }
    if (!parsed.wavelengthNm || parsed.diametersFile.isEmpty())
        throw CliError(QStringLiteral("usage: %1").arg(Usage));
    return parsed;
}

int runM2(const QStringList &args)
{
    const M2Args parsed = parseArgs(args);
    beam::CausticSeries series;
    series.wavelengthNm = *parsed.wavelengthNm;
    series.axes = readDiametersCsv(parsed.diametersFile);

    std::vector<AxisFit> fits;
    for (const beam::CausticAxis &axis : series.axes) {
        const beam::CausticFitResult result = beam::fitCaustic(axis.points, series.wavelengthNm);
        if (!result.ok())
            throw CliError(QStringLiteral("axis %1: %2").arg(axis.label, QString::fromStdString(result.error)));
        fits.push_back({fits.empty() ? "x" : "y", *result.fit});
    }
    if (!parsed.plotPath.isEmpty())
        plotCaustic(series, parsed.plotPath);

    std::string out;
    if (parsed.csv) {
        out = causticFitCsv(fits, series.wavelengthNm);
    } else {
        nlohmann::ordered_json json = {{"wavelength_nm", series.wavelengthNm}};
        for (const AxisFit &f : fits)
            json[f.key] = causticFitJson(f.fit);
        out = json.dump(2) + "\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

const CommandRegistration registration{{QStringLiteral("m2"), Usage,
                                        QStringLiteral("beam waist, Rayleigh length, divergence and M² (ISO "
                                                       "11146-1) from diameters at several z, optionally plotted"),
                                        runM2}};

} // namespace
} // namespace lumetra::cli
