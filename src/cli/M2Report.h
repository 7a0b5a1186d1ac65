#pragma once

#include "analysis/beam/CausticFit.h"

#include <QString>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace lumetra::cli {

// The fit of one axis with the key it is reported under ("x" or "y"), or why it failed.
struct AxisFit
{
    std::string key;
    beam::CausticFitResult result;
};

// {"d0_um", "z0_mm", "zr_mm", "theta_mrad", "m2", "residual_rms_um", "points", "points_within_zr",
//  "points_beyond_2zr", "iso_valid", "iso_note", "warnings": ["m2_below_1", ...]}; a failed fit is
// {"error": "..."}.
nlohmann::ordered_json causticFitJson(const beam::CausticFitResult &result);
// A header line and one line per axis with the same names, after "axis" and "wavelength_nm", then
// "warnings" (separated by ';') and "error" (a failed axis has only this besides axis and
// wavelength).
std::string causticFitCsv(const std::vector<AxisFit> &fits, double wavelengthNm);

} // namespace lumetra::cli
