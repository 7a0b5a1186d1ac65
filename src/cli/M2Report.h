#pragma once

#include "analysis/caustic/CausticReport.h"

#include <string>
#include <vector>

namespace lumetra::cli {

using beam::AxisFit;

// A header line and one line per axis with the names of beam::causticFitJson, after "axis" and
// "wavelength_nm", then "warnings" (separated by ';') and "error" (a failed axis has only this
// besides axis and wavelength), then the standard errors "d0_um_sd" .. "m2_sd".
std::string causticFitCsv(const std::vector<AxisFit> &fits, double wavelengthNm);

} // namespace lumetra::cli
