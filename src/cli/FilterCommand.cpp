// lumetra-cli filter: one of the workspace's six filters on a picture, written to a file.
#include "analysis/AnalysisState.h"
#include "platform/system/DurableWrite.h"
#include "analysis/picture/ImageFilterRun.h"
#include "types/ProgressWindows.h"
#include "cli/ArgumentCursor.h"
#include "cli/CliCommand.h"
#include "cli/CurveSequence.h"
#include "surface/PictureSurface.h"
#include "types/WorkspaceRaster.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include <array>
#include <memory>
#include <optional>
#include <random>
#include <utility>

namespace lumetra::cli {

namespace {

constexpr int PictureWidth = WorkspaceRasterWidth;
constexpr int PictureHeight = WorkspaceRasterHeight;


const char *const Usage = "filter IMAGE blur1|blur2|sharpen1|sharpen2|diffuse|diffuse-more OUTPUT [--seed S]"
                          " [--placement top-left|beam|fit]";

struct FilterRequest
{
    QString image;
    ImageFilter filter = ImageFilter::Blur1;
    QString output;
    QByteArray format;
    std::optional<FilterRandom::result_type> seed;
    PlacementMode placement = PlacementMode::TopLeft;
};

ImageFilter parseFilter(const QString &name)
{
    for (const auto &[filter, command, text] : ImageFilterNames)
        if (name == QLatin1String(text))
            return filter;
    throw CliError(
        QStringLiteral("unknown filter '%1' (blur1, blur2, sharpen1, sharpen2, diffuse, diffuse-more)")
            .arg(name));
}

// The image format written, from OUTPUT's extension.
QByteArray outputFormat(const QString &output)
{
    const QByteArray suffix = QFileInfo(output).suffix().toLower().toLatin1();
    if (suffix.isEmpty() || !QImageWriter::supportedImageFormats().contains(suffix))
        throw CliError(
            QStringLiteral("cannot tell an image format from the name '%1' (use .bmp, .png or .jpg)")
                .arg(output));
    return suffix;
}

FilterRequest parseArguments(const QStringList &args)
{
    FilterRequest request;
    QStringList positional;
    for (ArgumentCursor cursor(args); cursor.next();) {
        const QString &arg = cursor.current();
        if (cursor.is("--seed")) {
            const QString text = cursor.value();
            bool ok = false;
            const qulonglong seed = text.toULongLong(&ok);
            if (!ok || seed > 0xffffffffull)
                throw CliError(QStringLiteral("--seed takes a whole number 0..4294967295, not '%1'").arg(text));
            request.seed = static_cast<FilterRandom::result_type>(seed);
        } else if (cursor.is("--placement")) {
            request.placement = parsePlacement(cursor.value());
        } else if (arg.startsWith(QLatin1String("--"))) {
            throw CliError(QStringLiteral("unknown option '%1' (usage: %2)").arg(arg, QLatin1String(Usage)));
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 3)
        throw CliError(QStringLiteral("usage: lumetra-cli %1").arg(QLatin1String(Usage)));
    request.image = positional[0];
    request.filter = parseFilter(positional[1]);
    request.output = positional[2];
    request.format = outputFormat(request.output);
    return request;
}

// Writes the picture through a temporary file that replaces OUTPUT only when complete.
void writePicture(const QImage &picture, const QString &output, const QByteArray &format)
{
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly))
        throw CliError(QStringLiteral("cannot write '%1': %2").arg(output, file.errorString()));
    QImageWriter writer(&file, format);
    if (!writer.write(picture)) {
        file.cancelWriting();
        throw CliError(QStringLiteral("cannot write '%1': %2").arg(output, writer.errorString()));
    }
    if (!commitDurably(file))
        throw CliError(QStringLiteral("cannot write '%1': %2").arg(output, file.errorString()));
}

int runFilter(const QStringList &args)
{
    const FilterRequest request = parseArguments(args);
    // No curve window is open, so there is no cut marker to take off.
    auto state = std::make_unique<AnalysisState>();
    PictureSurface picture(PictureWidth, PictureHeight);
    loadWorkspacePicture(*state, picture, request.image, request.placement);

    FilterRandom random(request.seed ? *request.seed : std::random_device{}());
    SilentProgress progress;
    applyImageFilter(request.filter, *state, picture, progress, random);
    writePicture(picture.image(), request.output, request.format);
    return 0;
}

const CommandRegistration registration{CliCommand{
    QStringLiteral("filter"), QLatin1String(Usage),
    QStringLiteral(
        "applies one of the workspace's filters to IMAGE (loaded as a 640 x 480 picture) and writes "
        "the result to OUTPUT, format from its extension; --seed makes the diffusions repeatable"),
    runFilter}};

} // namespace

} // namespace lumetra::cli
