#pragma once

#include "analysis/beam/CausticFit.h"

#include <QString>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace lumetra::cli {

// The fit of one axis with the key it is reported under ("x" or "y").
struct AxisFit
{
    std::string key;
    beam::CausticFit fit;
};

// {"d0_um", "z0_mm", "zr_mm", "theta_mrad", "m2", "residual_rms_um", "points", "points_within_zr",
//  "points_beyond_2zr", "iso_valid", "iso_note"}
nlohmann::ordered_json causticFitJson(const beam::CausticFit &fit);
// A header line and one line per axis with the same names, after "axis" and "wavelength_nm".
std::string causticFitCsv(const std::vector<AxisFit> &fits, double wavelengthNm);

} // namespace lumetra::cli
