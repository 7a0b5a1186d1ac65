// lumetra-cli table: the workspace's "制表" headless: the intensity table of one cut written as a
// workbook in the export's block layout.
#include "analysis/AnalysisState.h"
#include "analysis/curves/ProfileAnalysis.h"
#include "analysis/picture/Sampling.h"
#include "analysis/picture/TableExport.h"
#include "cli/CliCommand.h"
#include "cli/CurveSequence.h"
#include "surface/PictureSurface.h"
#include "platform/workbook/XlsxWorkbookService.h"
#include "types/WorkspaceRaster.h"

#include <cstdio>
#include <memory>

namespace lumetra::cli {
namespace {

const QStringList ValueOptions = {QStringLiteral("--row"), QStringLiteral("--column"),
                                  QStringLiteral("--width"), QStringLiteral("--mode")};

// Takes OUTPUT.xlsx, the last argument that is neither an option nor an option's value.
QString takeOutput(QStringList &args)
{
    const int last = static_cast<int>(args.size()) - 1;
    if (last < 0 || args[last].startsWith(QLatin1String("--")) ||
        (last > 0 && ValueOptions.contains(args[last - 1])))
        throw CliError(QStringLiteral("no output file: name it last, OUTPUT.xlsx"));
    const QString output = args.takeLast();
    if (!output.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        throw CliError(QStringLiteral("the output '%1' must be a .xlsx file").arg(output));
    return output;
}

int runTable(const QStringList &arguments)
{
    QStringList args = arguments;
    const QString output = takeOutput(args);
    std::map<QString, QString> extras;
    const CurveRequest request = parseCurveRequest(args, {}, extras);

    auto state = std::make_unique<AnalysisState>();
    PictureSurface picture(WorkspaceRasterWidth, WorkspaceRasterHeight);
    PicturePlacement placement;
    const auto window = runCurveSequence(*state, picture, request, &placement);

    sampling::ScanGreyRange(state->picture);
    profile::AnalyseProfile(*state);
    profile::FindProfileMax(*state);
    profile::FindProfileMin(*state);
    const TableMode mode = window->mode() == DisplayMode::Line ? TableMode::Line : TableMode::Face;
    XlsxWorkbookService writer;
    QString error;
    if (!writer.save(buildCutTable(*state, mode), output, &error))
        throw CliError(QStringLiteral("cannot write %1: %2").arg(output, error));
    std::printf("%s: %d positions in %d groups, %s mode", qPrintable(output),
                state->cut.CutOrientation == 1 ? WorkspaceRasterWidth : WorkspaceRasterHeight, cutTableGroups(*state),
                mode == TableMode::Line ? "line" : "face");
    if (placement.mode == PlacementMode::Beam)
        std::printf(", offset %d,%d", placement.offsetX, placement.offsetY);
    else if (placement.mode == PlacementMode::Fit)
        std::printf(", scale %.17g", placement.scale);
    std::printf("\n");
    return 0;
}

const CommandRegistration registration{CliCommand{
    QStringLiteral("table"),
    QStringLiteral("table IMAGE (--row N | --column N) [--width W] [--mode face|line]\n"
                   "        [--placement top-left|beam|fit] OUTPUT.xlsx"),
    QStringLiteral(
        "the intensity table of one cut as a workbook: groups of 20 positions with columns X, Y1, Y2"),
    runTable}};

} // namespace
} // namespace lumetra::cli
