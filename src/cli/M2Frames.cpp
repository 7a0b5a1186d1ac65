#include "cli/M2Frames.h"

#include "analysis/beam/BeamBatch.h"
#include "analysis/caustic/FrameNameZ.h"
#include "analysis/beam/report/BeamRows.h"
#include "cli/CliCommand.h"
#include "platform/framefiles/PictureFiles.h"

#include <QDir>

#include <cmath>

namespace lumetra::cli {

std::vector<double> causticZPositions(const QStringList &images, const std::optional<QString> &zList)
{
    std::vector<double> z;
    if (zList) {
        const QStringList parts = zList->split(QLatin1Char(','));
        for (const QString &part : parts) {
            bool ok = false;
            const double value = part.trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(value))
                throw CliError(QStringLiteral("--z: '%1' is not a number").arg(part));
            z.push_back(value);
        }
        if (z.size() != std::size_t(images.size()))
            throw CliError(QStringLiteral("--z gives %1 positions for %2 images").arg(z.size()).arg(images.size()));
        return z;
    }
    for (const QString &image : images) {
        const std::optional<double> fromName = beam::zFromFileName(image);
        if (!fromName)
            throw CliError(QStringLiteral("%1: no z in the file name (a number before \"mm\", as in t-168mm.pgm)")
                               .arg(QDir::toNativeSeparators(image)));
        z.push_back(*fromName);
    }
    return z;
}

MeasuredCaustic measureCausticFrames(const QStringList &images, const std::vector<double> &zMm,
                                     double pixelSizeUm, bool principalAxes, bool excludeWarned)
{
    const std::vector<beam::BeamFileResult> measured = beam::measureBeamFiles(images, beam::BeamOptions{}, nullptr, pictureFileReaders().frame);
    MeasuredCaustic caustic;
    beam::CausticAxis first{principalAxes ? QStringLiteral("major") : QStringLiteral("x"), {}};
    beam::CausticAxis second{principalAxes ? QStringLiteral("minor") : QStringLiteral("y"), {}};
    caustic.frames = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < measured.size(); ++i) {
        const beam::BeamFileResult &r = measured[i];
        if (!r.error.isEmpty())
            throw CliError(r.error);
        if (r.result.status != beam::BeamStatus::Ok)
            throw CliError(QStringLiteral("%1: no beam in the frame").arg(QDir::toNativeSeparators(r.path)));
        const beam::BeamResult &b = r.result;
        const bool warned = !b.warnings.empty();
        if (warned)
            ++caustic.framesWithWarnings;
        const bool fitted = !(warned && excludeWarned);
        if (fitted) {
            first.points.push_back({zMm[i], (principalAxes ? b.dMajor : b.dX) * pixelSizeUm});
            second.points.push_back({zMm[i], (principalAxes ? b.dMinor : b.dY) * pixelSizeUm});
        }
        nlohmann::ordered_json row = {{"z_mm", zMm[i]}};
        const nlohmann::ordered_json beamRow = beam::beamRowOrdered(beam::beamRowJson(r, pixelSizeUm));
        for (const auto &[key, value] : beamRow.items())
            row[key] = value;
        nlohmann::ordered_json warnings = nlohmann::ordered_json::array();
        for (const beam::BeamWarning w : b.warnings.list())
            warnings.push_back(beam::beamWarningName(w));
        row["warnings"] = std::move(warnings);
        row["stripe_correction"] =
            b.stripeCorrection == beam::StripeCorrection::None ? "none" : beam::stripeCorrectionName(b.stripeCorrection);
        row["fitted"] = fitted;
        caustic.frames.push_back(std::move(row));
    }
    caustic.series.axes = {std::move(first), std::move(second)};
    return caustic;
}

} // namespace lumetra::cli
