#pragma once

#include "analysis/beam/CausticReport.h"

#include <string>
#include <vector>

namespace lumetra::cli {

using beam::AxisFit;

// A header line and one line per axis with the names of beam::causticFitJson, after "axis" and
// "wavelength_nm".
std::string causticFitCsv(const std::vector<AxisFit> &fits, double wavelengthNm);

} // namespace lumetra::cli
