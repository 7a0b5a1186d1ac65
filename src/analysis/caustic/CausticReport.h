#pragma once

#include "analysis/caustic/CausticFit.h"
#include "analysis/caustic/CausticSeries.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

// The M² report of a caustic as `lumetra-cli m2` and the Python module give it: every axis
// fitted, then written as JSON.
namespace lumetra::beam {

// The fit of one axis with the key it is reported under ("x" or "y"), or why it failed.
struct AxisFit
{
    std::string key;
    std::string label; // the axis as the series names it
    CausticFitResult result;
};

// Fits every axis of the series; the first is reported as "x", the second as "y" (also for the
// principal axes). An axis without a waist keeps its error beside the others.
std::vector<AxisFit> fitCausticAxes(const CausticSeries &series);
// "axis LABEL: why" for every axis that could not be fitted.
std::vector<std::string> causticFailures(const std::vector<AxisFit> &fits);

// {"d0_um", "d0_um_sd", "z0_mm", "z0_mm_sd", "zr_mm", "zr_mm_sd", "theta_mrad", "theta_mrad_sd", "m2",
//  "m2_sd", "residual_rms_um", "points", "points_within_zr", "points_beyond_2zr", "iso_valid",
//  "iso_note", "warnings": ["m2_below_1", ...]}, the "_sd" being 1 sigma standard errors (null for
// three points); a failed fit is {"error": "..."}.
nlohmann::ordered_json causticFitJson(const CausticFitResult &result);

// {"wavelength_nm", "axes" (when given), "x", "y" (when fitted)}.
nlohmann::ordered_json causticReportJson(double wavelengthNm, const std::vector<AxisFit> &fits,
                                         const std::optional<std::string> &axes = std::nullopt);

} // namespace lumetra::beam
