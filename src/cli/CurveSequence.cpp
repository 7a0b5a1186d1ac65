#include "cli/CurveSequence.h"

#include "cli/ArgumentCursor.h"

#include "analysis/curves/CurveRedraw.h"
#include "types/ProgressWindows.h"
#include "platform/settings/SettingsFile.h"
#include "cli/CliCommand.h"
#include "analysis/picture/WorkspacePicture.h"
#include "platform/framefiles/PictureFiles.h"

#include <QStringLiteral>
#include "types/WorkspaceRaster.h"

namespace lumetra::cli {

namespace {

// The plot surfaces and their places in the curve windows (normal size, outer box).
struct WindowLayout
{
    int windowWidth, windowHeight, plotWidth, plotHeight, plotLeft, plotTop;
};
constexpr WindowLayout HorizontalLayout{710, 330, 640, 200, 33, 60};
constexpr WindowLayout VerticalLayout{345, 564, 200, 480, 100, 20};
const WindowLayout &layoutOf(CutKind kind)
{
    return kind == CutKind::Vertical ? VerticalLayout : HorizontalLayout;
}

// Whole number from text, or nullopt.
std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

PicturePlacement loadWorkspacePicture(AnalysisState &state, PictureSurface &picture, const QString &imagePath,
                                      PlacementMode placement)
{
    const WorkspacePicture loaded = readWorkspacePicture(imagePath, placement, pictureFileReaders());
    if (!loaded.ok())
        throw CliError(QStringLiteral("cannot load the picture: %1").arg(loaded.error));
    picture.resize(WorkspaceRasterWidth, WorkspaceRasterHeight);
    picture.setOverlaysApart(true);
    picture.setPlacement(30, 30);
    // The workspace's frame sets the back colour before the picture arrives.
    picture.setBackColour(colours::PlotBackground);
    picture.setPicture(loaded.placed);
    state.picture.ImagePath = imagePath;
    state.picture.ImageWidth = WorkspaceRasterWidth;
    state.picture.ImageHeight = WorkspaceRasterHeight;
    applyPictureExtent(state.picture, loaded);
    return loaded.placement;
}

PlacementMode parsePlacement(const QString &word)
{
    if (const std::optional<PlacementMode> mode = placementFromWord(word))
        return *mode;
    throw CliError(QStringLiteral("--placement is top-left, beam or fit, not '%1'").arg(word));
}

HeadlessCurveWindow::HeadlessCurveWindow(AnalysisState &state, PictureSurface &workspacePicture, CutKind kind)
    : m_state(state), m_picture(workspacePicture), m_kind(kind),
      m_plot(layoutOf(kind).plotWidth, layoutOf(kind).plotHeight),
      m_window(layoutOf(kind).windowWidth, layoutOf(kind).windowHeight)
{
    m_plot.setPlacement(layoutOf(kind).plotLeft, layoutOf(kind).plotTop);
    m_window.setBackColour(rgb(212, 208, 200));
}

void HeadlessCurveWindow::open(double integrationWidth)
{
    curveview::ForgetMarks(m_state, vertical());
    m_requestedWidth = integrationWidth;
    SilentProgress progress;
    curveview::OpenCurveWindow(m_state, m_plot, m_window, &m_picture, vertical(), integrationWidth, progress);
    m_mode = DisplayMode::Face;
}

bool HeadlessCurveWindow::isOpen() const
{
    return m_state.cut.Active && m_state.cut.CutOrientation == static_cast<int16_t>(m_kind);
}

void HeadlessCurveWindow::pressAt(int position)
{
    if (!isOpen())
        return;
    curveview::MoveCut(m_state, m_picture, position);
    curveview::RedrawRules rules;
    rules.clear = curveview::RedrawRules::Clear::WindowDrawing;
    rules.persistAfterFrame = true;
    rules.zeroLine = curveview::RedrawRules::ZeroLine::BeforeCurves;
    curveview::RedrawCurveWindow(m_state, m_plot, m_window, m_mode, vertical(), rules);
}

void HeadlessCurveWindow::switchMode(DisplayMode mode)
{
    curveview::ForgetMarks(m_state, vertical());
    m_mode = mode;
    if (!isOpen())
        return;
    curveview::RedrawRules rules;
    rules.clear = curveview::RedrawRules::Clear::Plot;
    rules.zeroLine = curveview::RedrawRules::ZeroLine::AfterCurves;
    rules.zeroLineColour = colours::ZeroCyan;
    curveview::RedrawCurveWindow(m_state, m_plot, m_window, m_mode, vertical(), rules);
}

CurveRequest parseCurveRequest(const QStringList &args, const QStringList &extraOptions,
                               std::map<QString, QString> &extras)
{
    CurveRequest request;
    bool haveCut = false;
    QString image;
    for (ArgumentCursor cursor(args); cursor.next();) {
        const QString &a = cursor.current();
        const auto value = [&cursor] { return cursor.value(); };
        if (a == QLatin1String("--row") || a == QLatin1String("--column")) {
            if (haveCut)
                throw CliError(QStringLiteral("give one cut: --row N or --column N"));
            const bool column = a == QLatin1String("--column");
            const QString text = value();
            const int limit = column ? WorkspaceRasterWidth : WorkspaceRasterHeight;
            const std::optional<int> n = wholeNumber(text);
            if (!n || *n < 0 || *n > limit)
                throw CliError(
                    QStringLiteral("%1 wants a whole number in 0..%2, not '%3'").arg(a).arg(limit).arg(text));
            request.kind = column ? CutKind::Vertical : CutKind::Horizontal;
            request.cut = *n;
            haveCut = true;
        } else if (a == QLatin1String("--width")) {
            const QString text = value();
            const std::optional<int> w = wholeNumber(text);
            if (!w || *w < 0)
                throw CliError(
                    QStringLiteral("--width wants a whole number of 0 or more, not '%1'").arg(text));
            request.integrationWidth = *w;
        } else if (a == QLatin1String("--mode")) {
            const QString text = value();
            if (text == QLatin1String("face"))
                request.mode = DisplayMode::Face;
            else if (text == QLatin1String("line"))
                request.mode = DisplayMode::Line;
            else
                throw CliError(QStringLiteral("--mode is face or line, not '%1'").arg(text));
        } else if (a == QLatin1String("--placement")) {
            request.placement = parsePlacement(value());
        } else if (extraOptions.contains(a)) {
            extras[a] = value();
        } else if (a.startsWith(QLatin1String("--"))) {
            throw CliError(QStringLiteral("unknown option %1").arg(a));
        } else if (image.isEmpty()) {
            image = a;
        } else {
            throw CliError(QStringLiteral("one picture only ('%1' is extra)").arg(a));
        }
    }
    if (image.isEmpty())
        throw CliError(QStringLiteral("no picture given"));
    if (!haveCut)
        throw CliError(QStringLiteral("give the cut: --row N or --column N"));
    request.imagePath = image;
    return request;
}

std::unique_ptr<HeadlessCurveWindow> runCurveSequence(AnalysisState &state, PictureSurface &workspacePicture,
                                                      const CurveRequest &request, PicturePlacement *placement)
{
    const PicturePlacement placed =
        loadWorkspacePicture(state, workspacePicture, request.imagePath, request.placement);
    if (placement)
        *placement = placed;
    const double width =
        request.integrationWidth ? *request.integrationWidth : SettingsFile().integrationWidth();
    auto window = std::make_unique<HeadlessCurveWindow>(state, workspacePicture, request.kind);
    window->open(width);
    window->pressAt(request.cut);
    if (request.mode == DisplayMode::Line)
        window->switchMode(DisplayMode::Line);
    return window;
}

} // namespace lumetra::cli
