#pragma once

#include "analysis/caustic/CausticSeries.h"

#include <QString>
#include <QStringList>

#include <nlohmann/json.hpp>

#include <optional>
#include <vector>

namespace lumetra::cli {

// The z of each image: from the --z list ("12,18.5,25") when given, else from the number before
// "mm" in each file name. Throws CliError when the counts differ or a name holds no number.
std::vector<double> causticZPositions(const QStringList &images, const std::optional<QString> &zList);

struct MeasuredCaustic
{
    beam::CausticSeries series;   // "x"/"y" (lab) or "major"/"minor" (principal), in um
    // The beam rows of the images, each with its "z_mm" first, its "warnings", its
    // "stripe_correction" ("none", "columns" or "rows") and whether it was "fitted".
    nlohmann::ordered_json frames;
    int framesWithWarnings = 0;   // frames whose beam measurement carries a warning
};

// Measures every image as `lumetra-cli beam` does (in parallel) and collects the diameters of
// both axes in micrometres; with excludeWarned, frames whose measurement carries a warning are
// listed but left out of the series. Throws CliError naming the file for an unreadable frame or
// a frame without a beam.
MeasuredCaustic measureCausticFrames(const QStringList &images, const std::vector<double> &zMm,
                                     double pixelSizeUm, bool principalAxes, bool excludeWarned);

} // namespace lumetra::cli
