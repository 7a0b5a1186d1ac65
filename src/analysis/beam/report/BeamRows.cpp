#include "analysis/beam/report/BeamRows.h"

#include "analysis/beam/report/BeamWidthRows.h"

#include <QDir>

#include <cmath>
#include <cstdio>

namespace lumetra::beam {

namespace {

const std::vector<std::string> BaseFields = {
    "image", "status", "width", "height", "bit_depth", "peak", "saturated_pixels", "background",
    "background_noise", "centroid_x", "centroid_y", "d_major", "d_minor", "d_x", "d_y", "phi_deg",
    "ellipticity", "iterations", "converged", "background_warning"};
const std::vector<std::string> MicrometreFields = {"pixel_size_um", "d_major_um", "d_minor_um", "d_x_um",
                                                   "d_y_um"};
// Added after every earlier field, so that the columns a script reads by position keep their place.
const std::vector<std::string> MethodFields = {"method", "stripe_correction", "warnings"};

// Shortest decimal that reads back as the same double.
std::string numberText(double v)
{
    char buffer[32];
    for (int digits = 6; digits <= 17; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, v);
        if (std::strtod(buffer, nullptr) == v)
            break;
    }
    return buffer;
}

std::string csvText(const nlohmann::json &v)
{
    if (v.is_null())
        return {};
    if (v.is_boolean())
        return v.get<bool>() ? "true" : "false";
    if (v.is_array()) { // a list of names: one field, joined by ';'
        std::string joined;
        for (const nlohmann::json &item : v) {
            if (!joined.empty())
                joined.push_back(';');
            joined.append(item.get<std::string>());
        }
        return joined;
    }
    if (v.is_number_integer())
        return std::to_string(v.get<long long>());
    if (v.is_number())
        return numberText(v.get<double>());
    const std::string s = v.get<std::string>();
    if (s.find_first_of(",\"\n\r") == std::string::npos)
        return s;
    std::string quoted = "\"";
    for (const char c : s) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

std::vector<std::string> beamRowFields(bool withPixelSize, bool withWidths)
{
    std::vector<std::string> fields = BaseFields;
    if (withPixelSize)
        fields.insert(fields.end(), MicrometreFields.begin(), MicrometreFields.end());
    if (withWidths) {
        const std::vector<std::string> widths = widthRowFields(withPixelSize);
        fields.insert(fields.end(), widths.begin(), widths.end());
    }
    fields.insert(fields.end(), MethodFields.begin(), MethodFields.end());
    return fields;
}

nlohmann::json beamRowJson(const BeamFileResult &r, std::optional<double> pixelSizeUm, bool withWidths)
{
    using nlohmann::json;
    json row = json::object();
    for (const std::string &f : beamRowFields(pixelSizeUm.has_value()))
        row[f] = nullptr;
    if (withWidths)
        setWidthFields(row, r.widths && r.result.status == BeamStatus::Ok ? &*r.widths : nullptr, pixelSizeUm);
    row["image"] = QDir::toNativeSeparators(r.path).toStdString();
    if (pixelSizeUm)
        row["pixel_size_um"] = *pixelSizeUm;
    if (!r.error.isEmpty()) {
        row["status"] = "unreadable";
        return row;
    }
    const beam::BeamResult &b = r.result;
    const bool found = b.status == beam::BeamStatus::Ok;
    row["status"] = found ? "ok" : "no beam";
    row["width"] = r.width;
    row["height"] = r.height;
    row["bit_depth"] = r.bitDepth;
    row["peak"] = b.peak;
    row["saturated_pixels"] = b.saturatedPixels;
    row["background"] = b.background;
    row["background_noise"] = b.backgroundNoise;
    row["method"] = methodName(b.method);
    if (b.stripeCorrection != StripeCorrection::None)
        row["stripe_correction"] = stripeCorrectionName(b.stripeCorrection);
    row["warnings"] = json::array();
    for (const BeamWarning w : b.warnings.list())
        row["warnings"].push_back(beamWarningName(w));
    if (!found)
        return row;
    const std::pair<const char *, double> numbers[] = {
        {"centroid_x", b.centroidX}, {"centroid_y", b.centroidY}, {"d_major", b.dMajor},
        {"d_minor", b.dMinor},       {"d_x", b.dX},               {"d_y", b.dY}};
    for (const auto &[name, value] : numbers)
        row[name] = value;
    row["phi_deg"] = b.phiDeg;
    row["ellipticity"] = b.ellipticity;
    row["iterations"] = b.iterations;
    row["converged"] = b.converged;
    row["background_warning"] = b.backgroundWarning;
    if (pixelSizeUm)
        for (const char *name : {"d_major", "d_minor", "d_x", "d_y"})
            row[std::string(name) + "_um"] = row[name].get<double>() * *pixelSizeUm;
    return row;
}

nlohmann::ordered_json beamRowOrdered(const nlohmann::json &row)
{
    nlohmann::ordered_json ordered = nlohmann::ordered_json::object();
    for (const std::string &f : beamRowFields(row.contains("pixel_size_um"), row.contains("d86")))
        if (row.contains(f))
            ordered[f] = row[f];
    return ordered;
}

std::string beamCsvHeader(bool withPixelSize, bool withWidths)
{
    std::string line;
    for (const std::string &f : beamRowFields(withPixelSize, withWidths))
        line += (line.empty() ? "" : ",") + f;
    return line;
}

std::string beamCsvLine(const nlohmann::json &row, bool withPixelSize, bool withWidths)
{
    std::string line;
    bool first = true;
    for (const std::string &f : beamRowFields(withPixelSize, withWidths)) {
        if (!first)
            line += ',';
        first = false;
        line += csvText(row.contains(f) ? row[f] : nlohmann::json());
    }
    return line;
}

} // namespace lumetra::beam
