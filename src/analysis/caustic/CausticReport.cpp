#include "analysis/caustic/CausticReport.h"

namespace lumetra::beam {

std::vector<AxisFit> fitCausticAxes(const CausticSeries &series)
{
    std::vector<AxisFit> fits;
    for (const CausticAxis &axis : series.axes)
        fits.push_back({fits.empty() ? "x" : "y", axis.label.toStdString(),
                        fitCaustic(axis.points, series.wavelengthNm)});
    return fits;
}

std::vector<std::string> causticFailures(const std::vector<AxisFit> &fits)
{
    std::vector<std::string> failures;
    for (const AxisFit &f : fits)
        if (!f.result.ok())
            failures.push_back("axis " + f.label + ": " + f.result.error);
    return failures;
}

nlohmann::ordered_json causticFitJson(const CausticFitResult &result)
{
    if (!result.ok())
        return {{"error", result.error}};
    const CausticFit &fit = *result.fit;
    nlohmann::ordered_json warnings = nlohmann::ordered_json::array();
    for (const CausticWarning w : fit.warnings)
        warnings.push_back(causticWarningName(w));
    // A standard error stands beside its figure; null where three points leave none.
    const auto sd = [&fit](double value) { return fit.sd.known ? nlohmann::ordered_json(value) : nlohmann::ordered_json(); };
    return {{"d0_um", fit.d0Um},
            {"d0_um_sd", sd(fit.sd.d0Um)},
            {"z0_mm", fit.z0Mm},
            {"z0_mm_sd", sd(fit.sd.z0Mm)},
            {"zr_mm", fit.zrMm},
            {"zr_mm_sd", sd(fit.sd.zrMm)},
            {"theta_mrad", fit.thetaMrad},
            {"theta_mrad_sd", sd(fit.sd.thetaMrad)},
            {"m2", fit.m2},
            {"m2_sd", sd(fit.sd.m2)},
            {"residual_rms_um", fit.residualRmsUm},
            {"points", fit.points},
            {"points_within_zr", fit.pointsWithinZr},
            {"points_beyond_2zr", fit.pointsBeyond2Zr},
            {"iso_valid", fit.isoValid},
            {"iso_note", fit.isoNote},
            {"warnings", warnings}};
}

nlohmann::ordered_json causticReportJson(double wavelengthNm, const std::vector<AxisFit> &fits,
                                         const std::optional<std::string> &axes)
{
    nlohmann::ordered_json json = {{"wavelength_nm", wavelengthNm}};
    if (axes)
        json["axes"] = *axes;
    for (const AxisFit &f : fits)
        json[f.key] = causticFitJson(f.result);
    return json;
}

} // namespace lumetra::beam
