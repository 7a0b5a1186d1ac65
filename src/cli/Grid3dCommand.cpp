// lumetra-cli grid3d: the block-averaged intensity grid of a picture region, as the workspace
// charts it in 3D.
#include "analysis/AnalysisState.h"
#include "analysis/picture/Sampling.h"
#include "types/ProgressWindows.h"
#include "analysis/picture/RegionGrid.h"
#include "cli/ArgumentCursor.h"
#include "cli/CliCommand.h"
#include "cli/CurveSequence.h"
#include "surface/PictureSurface.h"
#include "types/WorkspaceRaster.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <memory>
#include <string>

namespace lumetra::cli {
namespace {

RegionCorners parseRegion(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        throw CliError(QStringLiteral("--region wants X1,Y1,X2,Y2, not '%1'").arg(text));
    // Corners beyond the right or bottom edge are taken as a drag gives them: the release
    // limits them to the charted part of the picture.
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || values[i] < 0)
            throw CliError(QStringLiteral("--region: '%1' is not a picture %2 (0 or more)")
                               .arg(parts[i], i % 2 == 0 ? QStringLiteral("column") : QStringLiteral("row")));
    }
    return {values[0], values[1], values[2], values[3]};
}

struct Grid3dArgs
{
    QString image;
    RegionCorners region;
    int factor = 0;
    bool csv = false;
    PlacementMode placement = PlacementMode::TopLeft;
};

Grid3dArgs parseArgs(const QStringList &args)
{
    Grid3dArgs parsed;
    bool haveRegion = false;
    QString factorText;
    bool haveFactor = false;
    for (ArgumentCursor cursor(args); cursor.next();) {
        const QString &a = cursor.current();
        const auto value = [&cursor] { return cursor.value(); };
        if (a == QLatin1String("--region")) {
            parsed.region = parseRegion(value());
            haveRegion = true;
        } else if (a == QLatin1String("--factor")) {
            factorText = value();
            haveFactor = true;
        } else if (a == QLatin1String("--format")) {
            parsed.csv = secondOf(a, value(), "json", "csv");
        } else if (a == QLatin1String("--placement")) {
            parsed.placement = parsePlacement(value());
        } else if (a.startsWith(QLatin1String("--"))) {
            throw CliError(QStringLiteral("unknown option %1").arg(a));
        } else if (parsed.image.isEmpty()) {
            parsed.image = a;
        } else {
            throw CliError(QStringLiteral("one picture only ('%1' is extra)").arg(a));
        }
    }
    if (parsed.image.isEmpty() || !haveRegion || !haveFactor)
        throw CliError(
            QStringLiteral("usage: grid3d IMAGE --region X1,Y1,X2,Y2 --factor F [--format json|csv]"));
    if (regionIsDegenerate(parsed.region) || regionTooSmall(normaliseRegion(parsed.region)))
        throw CliError(QStringLiteral("region too small: each side needs at least 20 pixels"));
    const std::optional<int> factor = parseRegionFactor(factorText);
    if (!factor)
        throw CliError(QStringLiteral("bad factor '%1': use 2, 4, 6, 8 or 10").arg(factorText));
    parsed.factor = *factor;
    return parsed;
}

int runGrid3d(const QStringList &args)
{
    const Grid3dArgs parsed = parseArgs(args);
    auto state = std::make_unique<AnalysisState>();
    PictureSurface picture(WorkspaceRasterWidth, WorkspaceRasterHeight);
    const PicturePlacement placement = loadWorkspacePicture(*state, picture, parsed.image, parsed.placement);
    SilentProgress progress;

    sampling::ScanGreyRange(state->picture);
    const RegionCorners normalised = normaliseRegion(parsed.region);
    if (limitRegion(normalised).y2 < normalised.y1)
        throw CliError(
            QStringLiteral("the region lies below row %1, the last one charted").arg(RegionLastRow));
    const RegionCorners region = limitRegion(normalised, state->picture);
    if (region.y2 < region.y1 || region.x2 < region.x1)
        throw CliError(QStringLiteral("the region lies beyond the fitted picture (%1 x %2 raster pixels)")
                           .arg(state->picture.PictureExtentX)
                           .arg(state->picture.PictureExtentY));
    sampling::SamplePicture(state->picture, picture, progress);
    const RegionGrid grid = computeRegionGrid(state->picture, region, parsed.factor);

    if (parsed.csv) {
        std::string out;
        for (int r = 1; r <= grid.rows(); ++r) {
            for (int c = 1; c <= grid.columns(); ++c) {
                if (c > 1)
                    out += ',';
                out += std::to_string(grid.cell(r, c));
            }
            out += '\n';
        }
        std::fputs(out.c_str(), stdout);
        return 0;
    }
    nlohmann::ordered_json cells = nlohmann::ordered_json::array();
    for (int r = 1; r <= grid.rows(); ++r) {
        nlohmann::ordered_json row = nlohmann::ordered_json::array();
        for (int c = 1; c <= grid.columns(); ++c)
            row.push_back(grid.cell(r, c));
        cells.push_back(std::move(row));
    }
    nlohmann::ordered_json out;
    out["range"] = grid.range().toStdString();
    out["rows"] = grid.rows();
    out["columns"] = grid.columns();
    out["grey_min"] = state->picture.GreyMin;
    out["grey_max"] = state->picture.GreyMax;
    addPlacementFields(out, placement);
    out["cells"] = std::move(cells);
    std::puts(out.dump().c_str());
    return 0;
}

const CommandRegistration registration{CliCommand{
    QStringLiteral("grid3d"),
    QStringLiteral("grid3d IMAGE --region X1,Y1,X2,Y2 --factor F [--format json|csv] [--placement top-left|beam|fit]"),
    QStringLiteral(
        "block-averaged intensities (percent of the grey range) of a region, factor 2, 4, 6, 8 or 10"),
    runGrid3d}};

} // namespace
} // namespace lumetra::cli
