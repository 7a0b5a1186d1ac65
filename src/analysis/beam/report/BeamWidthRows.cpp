#include "analysis/beam/report/BeamWidthRows.h"

namespace lumetra::beam {

namespace {

// Lengths: shown in µm too when a pixel size is given.
const std::vector<std::string> LengthFields = {"d86",        "knife_x",    "knife_y",    "knife_major",
                                               "knife_minor", "clip_major", "clip_minor", "fwhm_major",
                                               "fwhm_minor",  "gauss_major", "gauss_minor"};
const std::vector<std::string> OtherFields = {"gauss_phi_deg",  "gauss_x",           "gauss_y",
                                              "gauss_offset",   "gauss_r2",          "iso_effective_area",
                                              "iso_flatness",   "iso_uniformity",    "iso_plateau_uniformity",
                                              "iso_edge_steepness"};
const char *const AreaMicrons = "iso_effective_area_um2";

} // namespace

std::vector<std::string> widthRowFields(bool withPixelSize)
{
    std::vector<std::string> fields = LengthFields;
    fields.insert(fields.end(), OtherFields.begin(), OtherFields.end());
    if (withPixelSize) {
        for (const std::string &f : LengthFields)
            fields.push_back(f + "_um");
        fields.push_back(AreaMicrons);
    }
    return fields;
}

void setWidthFields(nlohmann::json &row, const BeamWidths *w, std::optional<double> pixelSizeUm)
{
    for (const std::string &f : widthRowFields(pixelSizeUm.has_value()))
        row[f] = nullptr;
    if (!w)
        return;
    const auto put = [&row](const char *name, const std::optional<double> &v) {
        if (v)
            row[name] = *v;
    };
    put("d86", w->d86);
    put("knife_x", w->knifeX);
    put("knife_y", w->knifeY);
    put("knife_major", w->knifeMajor);
    put("knife_minor", w->knifeMinor);
    put("clip_major", w->clipMajor);
    put("clip_minor", w->clipMinor);
    put("fwhm_major", w->fwhmMajor);
    put("fwhm_minor", w->fwhmMinor);
    if (const auto &g = w->gauss) {
        row["gauss_major"] = g->major;
        row["gauss_minor"] = g->minor;
        row["gauss_phi_deg"] = g->phiDeg;
        row["gauss_x"] = g->x;
        row["gauss_y"] = g->y;
        row["gauss_offset"] = g->offset;
        row["gauss_r2"] = g->r2;
    }
    put("iso_effective_area", w->iso.effectiveArea);
    put("iso_flatness", w->iso.flatness);
    put("iso_uniformity", w->iso.uniformity);
    put("iso_plateau_uniformity", w->iso.plateauUniformity);
    put("iso_edge_steepness", w->iso.edgeSteepness);
    if (!pixelSizeUm)
        return;
    for (const std::string &f : LengthFields)
        if (!row[f].is_null())
            row[f + "_um"] = row[f].get<double>() * *pixelSizeUm;
    if (w->iso.effectiveArea)
        row[AreaMicrons] = *w->iso.effectiveArea * *pixelSizeUm * *pixelSizeUm;
}

} // namespace lumetra::beam
