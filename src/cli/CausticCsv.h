#pragma once

#include "analysis/caustic/CausticSeries.h"

#include <QString>

namespace lumetra::cli {

// Reads measured diameters from a CSV file whose header is "z_mm,d_um" (one axis, labelled "x")
// or "z_mm,dx_um,dy_um" (two, "x" and "y"). Blank lines and lines starting with '#' are skipped.
// Throws CliError naming the file and line for anything else.
std::vector<beam::CausticAxis> readDiametersCsv(const QString &path);

} // namespace lumetra::cli
