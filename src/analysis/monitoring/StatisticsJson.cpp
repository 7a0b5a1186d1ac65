#include "analysis/monitoring/StatisticsJson.h"

namespace lumetra::monitoring {

nlohmann::ordered_json statisticsJson(const PointingStatistics &s, double umPerPixel,
                                      const AngularReference &reference)
{
    nlohmann::ordered_json j;
    const bool um = umPerPixel > 0;
    const auto length = [&](const std::string &name, double px) {
        j[name + "_px"] = px;
        if (um)
            j[name + "_um"] = px * umPerPixel;
    };
    // A length along x and along y: `stem`_x and `stem`_y.
    const auto lengthXY = [&](const std::string &stem, double x, double y) {
        length(stem + "_x", x);
        length(stem + "_y", y);
    };
    j["samples"] = s.count;
    j["duration_s"] = s.durationS;
    lengthXY("centroid_mean", s.meanX, s.meanY);
    lengthXY("centroid_sd", s.sdX, s.sdY);
    lengthXY("centroid_ptp", s.ptpX, s.ptpY);
    j["azimuth_deg"] = s.azimuthDeg;
    length("sd_u", s.sdU);
    length("sd_v", s.sdV);
    length("stability_2sigma_u", s.stabilityU);
    length("stability_2sigma_v", s.stabilityV);
    length("stability_2sigma", s.stability);
    if (!um) {
        j["angular_stability_urad"] = nullptr;
        j["angular_stability_note"] = "needs the pixel size (--pixel-size)";
    } else if (!(reference.distanceMm > 0)) {
        j["angular_stability_urad"] = nullptr;
        j["angular_stability_note"] = "needs the distance or focal length (--distance)";
    } else {
        j["angular_stability_u_urad"] = *angularMicroradians(s.stabilityU * umPerPixel, reference);
        j["angular_stability_v_urad"] = *angularMicroradians(s.stabilityV * umPerPixel, reference);
        j["angular_stability_urad"] = *angularMicroradians(s.stability * umPerPixel, reference);
        j["distance_mm"] = reference.distanceMm;
    }
    lengthXY("d4s_mean", s.meanDx, s.meanDy);
    j["d4s_rel_sd_x"] = s.relSdDx;
    j["d4s_rel_sd_y"] = s.relSdDy;
    j["drift_x_px_per_min"] = s.driftX;
    j["drift_y_px_per_min"] = s.driftY;
    if (um) {
        j["drift_x_um_per_min"] = s.driftX * umPerPixel;
        j["drift_y_um_per_min"] = s.driftY * umPerPixel;
    }
    lengthXY("residual_sd", s.residualSdX, s.residualSdY);
    return j;
}

} // namespace lumetra::monitoring
