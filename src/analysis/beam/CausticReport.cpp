#include "analysis/beam/CausticReport.h"

#include <stdexcept>

namespace lumetra::beam {

std::vector<AxisFit> fitCausticAxes(const CausticSeries &series)
{
    std::vector<AxisFit> fits;
    for (const CausticAxis &axis : series.axes) {
        const CausticFitResult result = fitCaustic(axis.points, series.wavelengthNm);
        if (!result.ok())
            throw std::invalid_argument("axis " + axis.label.toStdString() + ": " + result.error);
        fits.push_back({fits.empty() ? "x" : "y", *result.fit});
    }
    return fits;
}

nlohmann::ordered_json causticFitJson(const CausticFit &fit)
{
    return {{"d0_um", fit.d0Um},
            {"z0_mm", fit.z0Mm},
            {"zr_mm", fit.zrMm},
            {"theta_mrad", fit.thetaMrad},
            {"m2", fit.m2},
            {"residual_rms_um", fit.residualRmsUm},
            {"points", fit.points},
            {"points_within_zr", fit.pointsWithinZr},
            {"points_beyond_2zr", fit.pointsBeyond2Zr},
            {"iso_valid", fit.isoValid},
            {"iso_note", fit.isoNote}};
}

nlohmann::ordered_json causticReportJson(double wavelengthNm, const std::vector<AxisFit> &fits,
                                         const std::optional<std::string> &axes,
                                         const nlohmann::ordered_json *frames)
{
    nlohmann::ordered_json json = {{"wavelength_nm", wavelengthNm}};
    if (axes)
        json["axes"] = *axes;
    for (const AxisFit &f : fits)
        json[f.key] = causticFitJson(f.fit);
    if (frames)
        json["frames"] = *frames;
    return json;
}

} // namespace lumetra::beam
