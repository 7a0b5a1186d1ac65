#pragma once

#include "analysis/AnalysisState.h"
#include "analysis/curves/IntensityPercents.h"
#include "types/PicturePlacement.h"
#include "surface/PictureSurface.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>

// What the curve windows do to the shared state, without windows: the commands of lumetra-cli
// that report a cut (profile, table) run exactly the sequence the program runs.
namespace lumetra::cli {

enum class CutKind { Horizontal = 1, Vertical = 2 };

// Loads IMAGE as the workspace does: a 640 x 480 picture surface whose back colour (70,70,70)
// the plot frame sets before the picture is loaded, then the image at natural size anchored
// top-left and cut at 640 x 480. Sets ImagePath, ImageWidth 640 and ImageHeight 480.
// A picture larger than 640 x 480 is placed as `placement` says (top-left by default); 16-bit
// and high-maxval pictures become grey levels by their own range. Returns the placement.
// Throws CliError when the file is missing, unreadable, truncated or not a sensible picture.
PicturePlacement loadWorkspacePicture(AnalysisState &state, PictureSurface &picture, const QString &imagePath,
                                      PlacementMode placement = PlacementMode::TopLeft);

// --placement top-left|beam|fit; throws CliError on another word.
PlacementMode parsePlacement(const QString &word);

// What the JSON of a command adds for a placement asked for: "offset_x"/"offset_y" (the picture
// pixel at workspace (0, 0)) with beam, "scale" (workspace pixels per picture pixel) with fit.
template<typename Json> void addPlacementFields(Json &out, const PicturePlacement &placement)
{
    if (placement.mode == PlacementMode::Beam) {
        out["offset_x"] = placement.offsetX;
        out["offset_y"] = placement.offsetY;
    } else if (placement.mode == PlacementMode::Fit) {
        out["scale"] = placement.scale;
    }
}

// A curve window with no widgets: its plot surface and its own drawing, the mode buttons and the
// opening, cut-move and mode-switch sequences, calling the analysis routines in the window's
// order. Normal size only.
class HeadlessCurveWindow
{
public:
    HeadlessCurveWindow(AnalysisState &state, PictureSurface &workspacePicture, CutKind kind);

    // The window's opening: cut state, frame, sampling of the workspace picture, the initial
    // cut (row 192 / column 320), raw curve, IntegrationWidth = integrationWidth held to what the
    // cut allows (319 for a row, 239 for a column) and the analysed curve (unsmoothed at width
    // 0); then the cut marker, zero line and crosshair. Face mode.
    void open(double integrationWidth);
    // A mouse press on the workspace picture at row (horizontal) or column (vertical) `position`.
    void pressAt(int position);
    // The line-mode or face-mode button.
    void switchMode(DisplayMode mode);

    DisplayMode mode() const { return m_mode; }
    // The width the window was opened with, before it was held to the cut.
    double requestedWidth() const { return m_requestedWidth; }
    CutKind kind() const { return m_kind; }
    const PictureSurface &plot() const { return m_plot; }
    const PictureSurface &windowSurface() const { return m_window; }

private:
    bool vertical() const { return m_kind == CutKind::Vertical; }
    bool isOpen() const;

    AnalysisState &m_state;
    PictureSurface &m_picture;
    CutKind m_kind;
    PictureSurface m_plot;
    PictureSurface m_window;
    DisplayMode m_mode = DisplayMode::Face;
    double m_requestedWidth = 0;
};

// One run of "open the curve window, move the cut, optionally switch to line mode".
struct CurveRequest
{
    QString imagePath;
    CutKind kind = CutKind::Horizontal;
    int cut = 0;
    std::optional<double> integrationWidth; // unset: the first line of the settings file
    DisplayMode mode = DisplayMode::Face;
    PlacementMode placement = PlacementMode::TopLeft;
};

// Parses IMAGE (--row N | --column N) [--width W] [--mode face|line] [--placement P]. Options named in
// `extraOptions` (each taking one value) are accepted too and returned in `extras`, for the
// calling command to interpret. Throws CliError on anything else or on a bad value.
CurveRequest parseCurveRequest(const QStringList &args, const QStringList &extraOptions,
                               std::map<QString, QString> &extras);

// The full sequence on `state`: load the picture, open the window with the requested (or
// stored) integration width, press at the requested cut, and switch to line mode when asked.
// Returns the window so callers can inspect its surfaces; `placement` receives how the picture
// was placed.
std::unique_ptr<HeadlessCurveWindow> runCurveSequence(AnalysisState &state, PictureSurface &workspacePicture,
                                                      const CurveRequest &request,
                                                      PicturePlacement *placement = nullptr);

} // namespace lumetra::cli
