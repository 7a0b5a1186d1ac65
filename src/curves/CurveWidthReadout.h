#pragma once

#include "analysis/curves/CurveWidths.h"
#include "types/Colour.h"

#include <QLineF>
#include <QString>

#include <optional>
#include <vector>

class QCheckBox;
class QLabel;

namespace lumetra {

class CurveWindow;
struct AnalysisState;
struct Calibration;

// The widths line of a curve window: FWHM and 1/e² full widths of the raw and the analysed curve
// of the current cut, in picture pixels and, when a pixel size is calibrated, in micrometres
// ("—" where a crossing is missing); and the switch "宽度标记" that draws the two widths on the
// plot as brackets at their levels (exclusive-or pen, so that drawing them again removes them).
class CurveWidthReadout
{
public:
    explicit CurveWidthReadout(CurveWindow &window);

    QLabel *label() const { return m_label; }
    QCheckBox *markerSwitch() const { return m_switch; }
    const CurveWidths &rawWidths() const { return m_raw; }
    const CurveWidths &analysedWidths() const { return m_analysed; }

    // Places the line and the switch for the normal or the enlarged plot.
    void applyLayout(bool enlarged);
    // Takes the markers off the plot before it is redrawn.
    void beforeRedraw();
    // Measures the curves as they now stand, rewrites the line and draws the markers again when
    // the switch is on.
    void update();

    // RAII: markers off now, widths measured and markers back when it goes out of scope.
    class RedrawGuard
    {
    public:
        explicit RedrawGuard(CurveWidthReadout &readout) : m_readout(readout) { m_readout.beforeRedraw(); }
        ~RedrawGuard() { m_readout.update(); }
        RedrawGuard(const RedrawGuard &) = delete;
        RedrawGuard &operator=(const RedrawGuard &) = delete;

    private:
        CurveWidthReadout &m_readout;
    };

    // One width for display: "47.1 px" or "47.1 px（259.1 µm）"; "—" when it is missing.
    static QString widthText(std::optional<double> px, const Calibration &calibration);
    // What the analysed curve's smoothing spans, in picture pixels: "分析曲线平滑 N 像素".
    static QString smoothingText(const AnalysisState &state);

private:
    struct MarkerLine
    {
        QLineF line;
        Colour colour;
    };

    void drawMarkers();
    void xorLines(const std::vector<MarkerLine> &lines);
    std::vector<MarkerLine> markerLines() const;
    QString text() const;

    CurveWindow &m_window;
    QLabel *m_label = nullptr;
    QCheckBox *m_switch = nullptr;
    CurveWidths m_raw;
    CurveWidths m_analysed;
    std::vector<MarkerLine> m_drawn; // what is on the plot now, to be drawn again to remove it
};

} // namespace lumetra
