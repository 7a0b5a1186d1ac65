#include "workspace/CutPicker.h"

#include "analysis/AnalysisState.h"
#include "analysis/IntensityPercents.h"
#include "analysis/Module1.h"
#include "curves/CurveWindow.h"
#include "curves/frm_listview.h"
#include "platform/PictureSurface.h"

#include <cmath>

namespace lumetra {

CutPicker::CutPicker(AnalysisState &state, PictureSurface &picture) : m_state(state), m_picture(picture) {}

CurveWindow *CutPicker::activeWindow() const
{
    if (!m_state.CurveWindowOpen || (m_state.CutOrientation != 1 && m_state.CutOrientation != 2))
        return nullptr;
    CurveWindow *window = CurveWindow::openWindow();
    if (!window || window->isVertical() != (m_state.CutOrientation == 2))
        return nullptr;
    return window;
}

bool CutPicker::pressAt(int x, int y)
{
    CurveWindow *window = activeWindow();
    if (!window)
        return false;
    if (x < 0 || y < 0 || x >= m_picture.width() || y >= m_picture.height())
        return false;
    moveCut(*window, m_state.CutOrientation == 1 ? y : x, Trigger::Mouse);
    return true;
}

bool CutPicker::keyPressed(int key)
{
    CurveWindow *window = activeWindow();
    if (!window)
        return false;
    const double c = m_state.CutPosition;
    const int h = m_picture.height();
    const int w = m_picture.width();
    double p = 0;
    if (m_state.CutOrientation == 1 && key == Qt::Key_Up && 1 < c && c <= h - 1)
        p = c - 1;
    else if (m_state.CutOrientation == 1 && key == Qt::Key_Down && 1 <= c && c < h - 1)
        p = c + 1;
    else if (m_state.CutOrientation == 2 && key == Qt::Key_Left && 1 < c && c <= w - 1)
        p = c - 1;
    else if (m_state.CutOrientation == 2 && key == Qt::Key_Right && 1 <= c && c < w - 1)
        p = c + 1;
    else
        return false;
    moveCut(*window, p, Trigger::Key);
    return true;
}

void CutPicker::moveCut(CurveWindow &window, double position, Trigger trigger)
{
    AnalysisState &s = m_state;
    const bool vertical = s.CutOrientation == 2;

    // 1. The marked points belong to the old cut.
    MarkTable &pixels = vertical ? s.MarkPixelsV : s.MarkPixelsH;
    MarkTable &values = vertical ? s.MarkValuesV : s.MarkValuesH;
    (vertical ? s.MarkCountV : s.MarkCountH) = 0;
    for (auto &row : pixels)
        row = {0, 0};
    for (auto &row : values)
        row = {0, 0};
    window.hidePointLabels();

    // 2.-5. Marker off at the old place, the new position, its label, marker on at the new place.
    Module1::DrawCutMarker(s, m_picture);
    s.CutPosition = position;
    const QString number = QString::number(s.CutPosition);
    window.setCutLabel(vertical ? number : QStringLiteral("对应像素点：") + number);
    Module1::DrawCutMarker(s, m_picture);
    m_picture.setPenMode(PictureSurface::PenMode::Copy);

    // 6. Frame and scales of the plot.
    PictureSurface &plot = window.plot();
    if (trigger == Trigger::Mouse)
        window.windowSurface().clear();
    else
        plot.clear();
    const int span = static_cast<int>(std::lround(s.AxisEnd - s.AxisStart));
    int spanX = vertical ? 100 : span;
    int spanY = vertical ? span : 100;
    Module1::DrawPlotFrame(s, plot, window.windowSurface(), spanX, spanY, vertical ? 2 : 8, vertical ? 8 : 2,
                           QStringLiteral("11001"), true);

    // 7. Zero line.
    if (trigger == Trigger::Mouse)
        plot.setPersistent(true);
    const double zero = -(s.Enlarged ? s.AxisStartZoom : s.AxisStart);
    const double across = s.Enlarged ? 400 : 200;
    plot.setPenMode(PictureSurface::PenMode::Xor);
    if (vertical)
        plot.line(0, zero, across, zero, colours::ZeroBlue);
    else
        plot.line(zero, 0, zero, across, colours::ZeroBlue);
    plot.setPenMode(PictureSurface::PenMode::Copy);

    // 8. Curves of the display mode.
    const bool lineMode = window.lineModeActive();
    if (lineMode) {
        Module1::AnalyseProfile(s);
        Module1::FindProfileMax(s);
        Module1::FindProfileMin(s);
        Module1::PlotAnalysedCurve(s, plot, s.Enlarged ? 6 : 1, vertical);
    } else {
        const int style = s.Enlarged ? 5 : 0;
        Module1::ScanGreyRange(s);
        Module1::PlotRawCurve(s, plot, style, vertical);
        Module1::AnalyseProfile(s);
        Module1::PlotAnalysedCurve(s, plot, style, vertical);
    }

    // 9. Table values of the new cut.
    if (frm_listview *table = frm_listview::instance())
        table->refill(s, lineMode ? DisplayMode::Line : DisplayMode::Face);

    // 10. The crosshair at its stored place.
    Module1::DrawCrosshair(s, plot, s.CursorX, s.CursorY, 0, 0, 1);
}

} // namespace lumetra
