#include "cli/CurveSequence.h"

#include "analysis/Module1.h"
#include "analysis/ProgressWindows.h"
#include "analysis/SettingsFile.h"
#include "cli/CliCommand.h"
#include "platform/ImageLoader.h"

#include <QStringLiteral>

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

void loadWorkspacePicture(AnalysisState &state, PictureSurface &picture, const QString &imagePath)
{
    const ImageLoadResult loaded = loadImageFile(imagePath);
    if (!loaded.ok())
        throw CliError(QStringLiteral("cannot load the picture: %1").arg(loaded.error));
    picture.resize(640, 480);
    picture.setPlacement(30, 30);
    // The workspace's frame sets the back colour before the picture arrives.
    picture.setBackColour(colours::PlotBackground);
    picture.setPicture(loaded.image);
    state.ImagePath = imagePath;
    state.WorkspaceOpen = true;
    state.ImageWidth = 640;
    state.ImageHeight = 480;
}

HeadlessCurveWindow::HeadlessCurveWindow(AnalysisState &state, PictureSurface &workspacePicture, CutKind kind)
    : m_state(state), m_picture(workspacePicture), m_kind(kind),
      m_plot(layoutOf(kind).plotWidth, layoutOf(kind).plotHeight),
      m_window(layoutOf(kind).windowWidth, layoutOf(kind).windowHeight)
{
    m_plot.setPlacement(layoutOf(kind).plotLeft, layoutOf(kind).plotTop);
    m_window.setBackColour(rgb(212, 208, 200));
}

void HeadlessCurveWindow::clearMarks()
{
    if (vertical()) {
        m_state.MarkCountV = 0;
        m_state.MarkPixelsV = {};
        m_state.MarkValuesV = {};
    } else {
        m_state.MarkCountH = 0;
        m_state.MarkPixelsH = {};
        m_state.MarkValuesH = {};
    }
}

void HeadlessCurveWindow::drawFrame()
{
    const int span = static_cast<int>(m_state.AxisEnd - m_state.AxisStart);
    int spanX = vertical() ? 100 : span;
    int spanY = vertical() ? span : 100;
    Module1::DrawPlotFrame(m_state, m_plot, m_window, spanX, spanY, vertical() ? 2 : 8, vertical() ? 8 : 2,
                           QStringLiteral("11001"), true);
}

void HeadlessCurveWindow::drawZeroLine(Colour colour)
{
    const double at = -m_state.AxisStart;
    m_plot.setPenMode(PictureSurface::PenMode::Xor);
    if (vertical())
        m_plot.line(0, at, 200, at, colour);
    else
        m_plot.line(at, 0, at, 200, colour);
    m_plot.setPenMode(PictureSurface::PenMode::Copy);
}

void HeadlessCurveWindow::open(double integrationWidth)
{
    m_state.CurveWindowOpen = true;
    m_state.Enlarged = false;
    clearMarks();
    m_state.CutOrientation = static_cast<int16_t>(m_kind);
    m_state.AxisStart = vertical() ? -240 : -320;
    m_state.AxisEnd = vertical() ? 240 : 320;
    drawFrame();
    m_plot.setPersistent(true);

    SilentProgress progress;
    Module1::ReadColours(m_state, m_picture, progress);
    Module1::ComputeGreyMap(m_state, progress);
    Module1::ScanGreyRangeWithProgress(m_state, progress);

    m_state.CutPosition = vertical() ? 320 : 192;
    Module1::PlotRawCurve(m_state, m_plot, 0, vertical());
    m_state.IntegrationWidth = integrationWidth;
    Module1::AnalyseProfile(m_state);
    Module1::PlotAnalysedCurve(m_state, m_plot, 0, vertical());
    Module1::DrawCutMarker(m_state, m_picture);
    drawZeroLine(colours::ZeroOrange);
    m_state.CursorX = vertical() ? 100 : 320;
    m_state.CursorY = vertical() ? 240 : 100;
    Module1::DrawCrosshair(m_state, m_plot, m_state.CursorX, m_state.CursorY, 0, 0, 1);
    m_mode = DisplayMode::Face;
}

void HeadlessCurveWindow::redrawCurves()
{
    if (m_mode == DisplayMode::Face) {
        Module1::ScanGreyRange(m_state);
        Module1::PlotRawCurve(m_state, m_plot, 0, vertical());
        Module1::AnalyseProfile(m_state);
        Module1::PlotAnalysedCurve(m_state, m_plot, 0, vertical());
    } else {
        Module1::AnalyseProfile(m_state);
        Module1::FindProfileMax(m_state);
        Module1::FindProfileMin(m_state);
        Module1::PlotAnalysedCurve(m_state, m_plot, 1, vertical());
    }
}

void HeadlessCurveWindow::pressAt(int position)
{
    if (!m_state.CurveWindowOpen || m_state.CutOrientation != static_cast<int16_t>(m_kind))
        return;
    clearMarks();
    Module1::DrawCutMarker(m_state, m_picture); // off at the old place
    m_state.CutPosition = position;
    Module1::DrawCutMarker(m_state, m_picture); // on at the new one
    m_window.clear();
    drawFrame();
    m_plot.setPersistent(true);
    drawZeroLine(colours::ZeroBlue);
    redrawCurves();
    Module1::DrawCrosshair(m_state, m_plot, m_state.CursorX, m_state.CursorY, 0, 0, 1);
}

void HeadlessCurveWindow::switchMode(DisplayMode mode)
{
    clearMarks();
    m_mode = mode;
    if (!m_state.CurveWindowOpen || m_state.CutOrientation != static_cast<int16_t>(m_kind))
        return;
    m_plot.clear();
    drawFrame();
    redrawCurves();
    drawZeroLine(colours::ZeroCyan);
    Module1::DrawCrosshair(m_state, m_plot, m_state.CursorX, m_state.CursorY, 0, 0, 1);
}

CurveRequest parseCurveRequest(const QStringList &args, const QStringList &extraOptions,
                               std::map<QString, QString> &extras)
{
    CurveRequest request;
    bool haveCut = false;
    QString image;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                throw CliError(QStringLiteral("%1 needs a value").arg(a));
            return args[++i];
        };
        if (a == QLatin1String("--row") || a == QLatin1String("--column")) {
            if (haveCut)
                throw CliError(QStringLiteral("give one cut: --row N or --column N"));
            const bool column = a == QLatin1String("--column");
            const QString text = value();
            const int limit = column ? 640 : 480;
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
                                                      const CurveRequest &request)
{
    loadWorkspacePicture(state, workspacePicture, request.imagePath);
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
