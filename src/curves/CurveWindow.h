#pragma once

#include "analysis/curves/CurveWindowPort.h"
#include "curves/CurveGeometry.h"
#include "curves/MarkedPoints.h"
#include "platform/ports/AppContext.h"
#include "platform/ports/CurveViewPort.h"
#include "surface/PictureSurface.h"
#include "platform/dialogs/SurfaceView.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class QAction;
class QCloseEvent;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;

namespace lumetra {

struct AnalysisState;
class CurveDisplay;
class CurveInteraction;
class CurveWidthReadout;

// What the horizontal and the vertical curve window share: the plot (pictureView) over the
// window's own drawing, where the scales go; the two readouts that follow the crosshair; the cut label;
// the eleven point captions; the two mode and two zoom buttons; the popup
// menu; the opening and closing sequences. Only one curve window is open at a time.
class CurveWindow : public QWidget, public CurveWindowPort, public CurveViewPort
{
    Q_OBJECT

public:
    ~CurveWindow() override;

    // The open curve window of this context (either direction), or nullptr.
    static CurveWindow *openWindow(const AppContext &context);
    // The open curve window of that direction, or nullptr.
    static CurveWindow *instance(const AppContext &context, bool vertical);
    // Opens the horizontal or the vertical curve window (or brings an open one forward). nullptr
    // while the other direction's window is open: only one curve window exists at a time.
    static CurveWindow *showWindow(AppContext &context, AnalysisState &state, bool vertical);

    AppContext &context() { return m_context; }
    AnalysisState &state();
    const CurveGeometry &curveGeometry() const { return m_geometry; }
    bool isVertical() const override { return m_geometry.vertical; }

    PictureSurface &plot() { return m_plot; }
    SurfaceView *plotView() { return m_plotView; }
    // Width and height of the plot's drawing area (640 x 200, 960 x 400, 200 x 480, 400 x 600).
    int plotWidth() const { return m_plot.width(); }
    int plotHeight() const { return m_plot.height(); }

    // CurveWindowPort
    PictureSurface &windowSurface() override { return m_windowSurface; }
    bool lineModeActive() const override { return m_mode == DisplayMode::Line; }

    // CurveViewPort
    std::optional<DisplayMode> displayMode() const override { return m_mode; }
    void followCut(CutTrigger trigger) override;
    void moveAside() override;
    void closeWindow() override { close(); }
    void resamplePicture() override;
    void applyIntegrationWidth(double width) override;
    void raiseAboveWorkspace() override;
    void calibrationChanged() override;

    // The display mode becomes `mode` and the mode buttons show it: the button of the mode shown
    // is the disabled one (none: both enabled). Nothing is redrawn.
    void showDisplayMode(std::optional<DisplayMode> mode);
    void setPositionReadout(const QString &text) override;
    void setTablePositions(double axisStart, int rows) override;

    // faceMode / lineMode (faceMode / lineMode in the vertical window)
    QPushButton *faceModeButton() { return m_buttons[0]; }
    QPushButton *lineModeButton() { return m_buttons[1]; }
    // the enlarge and shrink buttons
    QPushButton *enlargeButton() { return m_buttons[2]; }
    QPushButton *shrinkButton() { return m_buttons[3]; }

    // The readout above the plot follows the crosshair along x, the one beside it along y: position
    // and intensity in the horizontal window, intensity and position in the vertical one.
    QLabel *xReadout() { return m_xReadout; }
    QLabel *yReadout() { return m_yReadout; }
    QLabel *positionReadout() { return isVertical() ? m_yReadout : m_xReadout; }
    QLabel *intensityReadout() { return isVertical() ? m_xReadout : m_yReadout; }

    // Which picture row or column is cut.
    void showCutLabel(double rasterCut);
    void setCutLabel(const QString &text);
    QString cutLabel() const;

    // The captions of the marked points (0..10).
    QLabel *pointLabel(int index) { return m_pointLabels.at(static_cast<size_t>(index)); }
    void hidePointLabels();
    MarkedPoints &points() { return *m_points; }
    // The FWHM / 1/e² line under the plot and its marker switch.
    CurveWidthReadout &widthReadout() { return *m_widths; }

    // popupMenu with printRawCurve, printAnalysedCurve, printPicture and clearPoints (object names).
    QMenu *popupMenu() { return m_menu; }
    QAction *popupItem(const QString &controlName);

private:
    CurveWindow(AppContext &context, AnalysisState &state, const CurveGeometry &geometry, QWidget *parent = nullptr);

    // Shows a new window as a child of the frame (at the bottom of its area, where it hides
    // least of the workspace picture), runs the opening sequence and gives the plot the keys.
    void present();
    // Opening sequence; called once, right after the window was first shown.
    void load();
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class CurveDisplay;

    void buildControls();
    void buildPopupMenu();
    // Enables the print entries of the popup menu and connects them to the report openers.
    void installReportCommands();
    // Places every control for the normal or the enlarged plot.
    void applyLayout(bool enlarged);
    void drawWorkspaceCutMarker();
    // The curves drawn again from the shared state for the cut as it is (points forgotten).
    void redrawForNewValues();
    // Tiles the frame's windows: the table at the left, the workspace at the top right of it and
    // this window where it leaves the picture in sight (see placeChildWindow). Enlarged, the
    // window is only kept inside the frame's area.
    void placeForSize(bool enlarged);

    AppContext &m_context;
    AnalysisState &m_state;
    const CurveGeometry &m_geometry;
    PictureSurface m_windowSurface;
    PictureSurface m_plot;
    SurfaceView *m_windowView = nullptr;
    SurfaceView *m_plotView = nullptr;
    QFrame *m_border = nullptr;
    std::array<QPushButton *, 4> m_buttons{};
    QLabel *m_xReadout = nullptr;
    QLabel *m_yReadout = nullptr;
    QLabel *m_cutLabel = nullptr;
    QLabel *m_pixelCaption = nullptr;
    std::array<QLabel *, 11> m_pointLabels{};
    QMenu *m_menu = nullptr;
    std::unique_ptr<MarkedPoints> m_points;
    std::unique_ptr<CurveDisplay> m_display;
    std::unique_ptr<CurveInteraction> m_interaction;
    std::unique_ptr<CurveWidthReadout> m_widths;
    bool m_loaded = false;
    std::optional<DisplayMode> m_mode = DisplayMode::Face;
};

} // namespace lumetra
