#pragma once

#include "analysis/beam/CausticFit.h"
#include "analysis/beam/CausticSeries.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

// The M² report of a caustic as `lumetra-cli m2` and the Python module give it: every axis
// fitted, then written as JSON.
namespace lumetra::beam {

// The fit of one axis with the key it is reported under ("x" or "y").
struct AxisFit
{
    std::string key;
    CausticFit fit;
};

// Fits every axis of the series; the first is reported as "x", the second as "y" (also for the
// principal axes). Throws std::invalid_argument "axis LABEL: why" for an axis without a waist.
std::vector<AxisFit> fitCausticAxes(const CausticSeries &series);

// {"d0_um", "z0_mm", "zr_mm", "theta_mrad", "m2", "residual_rms_um", "points", "points_within_zr",
//  "points_beyond_2zr", "iso_valid", "iso_note"}
nlohmann::ordered_json causticFitJson(const CausticFit &fit);

// {"wavelength_nm", "axes" (when given), "x", "y" (when fitted), "frames" (when given)}.
nlohmann::ordered_json causticReportJson(double wavelengthNm, const std::vector<AxisFit> &fits,
                                         const std::optional<std::string> &axes = std::nullopt,
                                         const nlohmann::ordered_json *frames = nullptr);

} // namespace lumetra::beam
