// lumetra-cli profile: the raw and analysed intensity profile of one cut, with the intensity
// table's percentages, after the same sequence of analysis steps the curve windows run.
#include "analysis/AnalysisState.h"
#include "analysis/curves/IntensityPercents.h"
#include "analysis/NumberText.h"
#include "cli/CliCommand.h"
#include "cli/CurveSequence.h"
#include "surface/PictureSurface.h"
#include "types/WorkspaceRaster.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

namespace lumetra::cli {
namespace {

// Whole values as JSON integers, fractions as doubles (printed shortest round-trip).
nlohmann::ordered_json jsonNumber(double v)
{
    if (v == std::trunc(v) && std::fabs(v) < 9e15)
        return static_cast<long long>(v);
    return v;
}

struct ProfileRow
{
    double position; // picture pixels from the raster's centre
    double raw;
    double analysed;
    TablePercents percents;
};

std::vector<ProfileRow> profileRows(const AnalysisState &state, DisplayMode mode)
{
    const bool horizontal = state.cut.CutOrientation == 1;
    // Under a fitted picture the rows stop where it does and read picture pixels, as the table does.
    const int rows = pictureRowCount(state);
    const int cut = static_cast<int>(state.cut.CutPosition);
    std::vector<ProfileRow> out;
    out.reserve(static_cast<size_t>(rows));
    for (int i = 1; i <= rows; ++i) {
        ProfileRow row;
        row.position = tableRowPosition(state, i);
        row.raw = horizontal ? state.picture.GreyMap(i, cut) : state.picture.GreyMap(cut, i);
        row.analysed = horizontal ? state.cut.ProfileH[static_cast<size_t>(i)]
                                  : static_cast<double>(state.cut.ProfileV[static_cast<size_t>(i)]);
        row.percents = tablePercents(state, mode, i);
        out.push_back(row);
    }
    return out;
}

std::string toJson(const AnalysisState &state, const CurveRequest &request, const HeadlessCurveWindow &window,
                   const PicturePlacement &placement, const std::vector<ProfileRow> &rows)
{
    nlohmann::ordered_json out;
    out["image"] = request.imagePath.toStdString();
    out["orientation"] = request.kind == CutKind::Vertical ? "vertical" : "horizontal";
    out["cut"] = jsonNumber(state.cut.CutPosition);
    // The width as given; the analysis holds it to what the cut allows (319 or 239).
    out["integration_width"] = jsonNumber(window.requestedWidth());
    out["mode"] = request.mode == DisplayMode::Line ? "line" : "face";
    out["image_grey_min"] = jsonNumber(state.picture.ImageGreyMin);
    out["image_grey_max"] = jsonNumber(state.picture.ImageGreyMax);
    out["grey_min"] = jsonNumber(state.picture.GreyMin);
    out["grey_max"] = jsonNumber(state.picture.GreyMax);
    out["profile_min"] = jsonNumber(state.cut.ProfileMin);
    out["profile_max"] = jsonNumber(state.cut.ProfileMax);
    addPlacementFields(out, placement);
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const ProfileRow &r : rows) {
        nlohmann::ordered_json item;
        item["position"] = jsonNumber(r.position);
        item["raw"] = jsonNumber(r.raw);
        item["analysed"] = jsonNumber(r.analysed);
        item["raw_percent"] = r.percents.raw;
        item["analysed_percent"] = r.percents.analysed;
        list.push_back(std::move(item));
    }
    out["rows"] = std::move(list);
    return out.dump() + '\n';
}

std::string toCsv(const std::vector<ProfileRow> &rows)
{
    std::string out = "position,raw,analysed,raw_percent,analysed_percent\n";
    for (const ProfileRow &r : rows) {
        out += numberText(r.position).toStdString() + ',' + numberText(r.raw).toStdString() + ',' +
               numberText(r.analysed).toStdString() + ',' + std::to_string(r.percents.raw) + ',' +
               std::to_string(r.percents.analysed) + '\n';
    }
    return out;
}

int runProfile(const QStringList &args)
{
    std::map<QString, QString> extras;
    const CurveRequest request = parseCurveRequest(args, {QStringLiteral("--format")}, extras);
    bool csv = false;
    if (const auto format = extras.find(QStringLiteral("--format")); format != extras.end()) {
        if (format->second != QLatin1String("json") && format->second != QLatin1String("csv"))
            throw CliError(QStringLiteral("--format is json or csv, not '%1'").arg(format->second));
        csv = format->second == QLatin1String("csv");
    }

    auto state = std::make_unique<AnalysisState>();
    PictureSurface picture(WorkspaceRasterWidth, WorkspaceRasterHeight);
    PicturePlacement placement;
    const auto window = runCurveSequence(*state, picture, request, &placement);
    const std::vector<ProfileRow> rows = profileRows(*state, window->mode());
    const std::string text = csv ? toCsv(rows) : toJson(*state, request, *window, placement, rows);
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        throw CliError(QStringLiteral("cannot write the result to standard output"));
    return 0;
}

const CommandRegistration registration{CliCommand{
    QStringLiteral("profile"),
    QStringLiteral("profile IMAGE (--row N | --column N) [--width W] [--mode face|line] [--format json|csv]\n"
                   "        [--placement top-left|beam|fit]"),
    QStringLiteral("raw and analysed intensity along one cut, with the intensity table's percentages"),
    runProfile}};

} // namespace
} // namespace lumetra::cli
