#include "curves/CurveWidthReadout.h"

#include "analysis/AnalysisState.h"
#include "analysis/curves/PlotGeometry.h"
#include "analysis/curves/ProfileAnalysis.h"
#include "analysis/NumberText.h"
#include "curves/CurveWindow.h"
#include "platform/settings/Calibration.h"
#include "surface/PictureSurface.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {

// The two markers, each seen through the exclusive-or pen over the grey plot background.
constexpr Colour HalfMaximumMarker = rgb(255, 0, 255);
constexpr Colour E2Marker = rgb(255, 128, 0);
constexpr int TickLength = 4;
constexpr int LevelClearance = 2;
constexpr int ScaleLabelHeight = 18; // the numbers under a horizontal plot

// Sample k of a width's curve is picture pixel k + 1 along the cut. The last row or column of the
// sampled raster lies outside the picture and reads 0; it is left out so that it makes no edge.
constexpr int FirstSample = 1;
int lastSample(bool vertical)
{
    return vertical ? GreyMapGrid::Height - 2 : GreyMapGrid::Width - 2;
}

std::optional<int> cutIndex(const AnalysisState &s, bool vertical)
{
    const double c = std::nearbyint(s.cut.CutPosition);
    const int bound = vertical ? GreyMapGrid::Width - 1 : GreyMapGrid::Height - 1;
    if (c < 0 || c > bound)
        return std::nullopt;
    return static_cast<int>(c);
}

// The last sample inside a fitted picture (the raster beyond it is not data); none when the cut
// itself lies beyond it.
std::optional<int> lastPictureSample(const AnalysisState &s, bool vertical)
{
    const std::optional<int> cut = cutIndex(s, vertical);
    const int across = vertical ? s.picture.PictureExtentX : s.picture.PictureExtentY;
    if (!cut || (across < (vertical ? GreyMapGrid::Width : GreyMapGrid::Height) - 1 && *cut >= across))
        return std::nullopt;
    return std::min(lastSample(vertical), (vertical ? s.picture.PictureExtentY : s.picture.PictureExtentX) - 1);
}

std::vector<double> rawSamples(const AnalysisState &s, bool vertical)
{
    std::vector<double> out;
    const std::optional<int> cut = cutIndex(s, vertical);
    const std::optional<int> last = lastPictureSample(s, vertical);
    if (!cut || !last)
        return out;
    for (int i = FirstSample; i <= *last; ++i)
        out.push_back(vertical ? s.picture.GreyMap(*cut, i) : s.picture.GreyMap(i, *cut));
    return out;
}

std::vector<double> analysedSamples(const AnalysisState &s, bool vertical)
{
    std::vector<double> out;
    const std::optional<int> last = lastPictureSample(s, vertical);
    if (!last)
        return out;
    for (int i = FirstSample; i <= *last; ++i)
        out.push_back(vertical ? double(s.cut.ProfileV[size_t(i)]) : s.cut.ProfileH[size_t(i)]);
    return out;
}

} // namespace

CurveWidthReadout::CurveWidthReadout(CurveWindow &window) : m_window(window)
{
    m_label = new QLabel(&window);
    m_label->setObjectName(QStringLiteral("widthReadout"));
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_switch = new QCheckBox(QCoreApplication::translate("CurveWidthReadout", "宽度标记"), &window);
    m_switch->setObjectName(QStringLiteral("widthMarkers"));
    m_switch->setFocusPolicy(Qt::NoFocus);
    m_switch->setToolTip(
        QCoreApplication::translate("CurveWidthReadout", "在曲线上标出半高全宽（FWHM）和 1/e² 全宽"));
    QObject::connect(m_switch, &QCheckBox::toggled, &window, [this] {
        beforeRedraw();
        update();
    });
}

void CurveWidthReadout::applyLayout(bool enlarged)
{
    const bool vertical = m_window.isVertical();
    const CurveSizeLayout &layout = m_window.curveGeometry().layout(enlarged);
    // Under the scale labels of the plot's bottom edge, clear of the rulers: three lines across a
    // horizontal plot, five under the narrow vertical one (the windows are tall enough for them).
    const int below = layout.plotPosition.y() + layout.plotSize.height() + 4 + ScaleLabelHeight + (vertical ? 4 : 0);
    const int lineHeight = m_label->fontMetrics().lineSpacing();
    if (vertical) {
        // The column left of the plot, under the cut label.
        m_switch->move(4, 250);
        m_label->setGeometry(4, below, m_window.width() - 8, 5 * lineHeight + 6);
    } else {
        m_label->setGeometry(layout.plotPosition.x() - 30, below, layout.plotSize.width() + 60, 3 * lineHeight + 4);
        m_switch->adjustSize();
        m_switch->move(layout.plotPosition.x() + layout.plotSize.width() - m_switch->width(), 12);
    }
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_switch->raise();
}

QString CurveWidthReadout::widthText(std::optional<double> px, const Calibration &calibration)
{
    if (!px)
        return QStringLiteral("—");
    QString text = QStringLiteral("%1 px").arg(*px, 0, 'f', 1);
    if (calibration.calibrated())
        text += QCoreApplication::translate("CurveWidthReadout", "（%1）")
                    .arg(formatLength(calibration.toUm(*px)));
    return text;
}

QString CurveWidthReadout::text() const
{
    const Calibration calibration = loadCalibration(m_window.context().calibrationFile);
    const AnalysisState &s = m_window.state();
    // The samples are raster pixels; the widths are read in picture pixels.
    const auto inPicture = [&s](std::optional<double> raster) {
        return raster ? std::optional<double>(s.picture.toPicturePixels(*raster)) : std::nullopt;
    };
    const auto pair = [&](const QString &name, const CurveWidth &raw, const CurveWidth &analysed,
                          const QString &gap) {
        return QCoreApplication::translate("CurveWidthReadout", "%1  原始 %2%3分析 %4")
            .arg(name, widthText(inPicture(raw.width()), calibration), gap,
                 widthText(inPicture(analysed.width()), calibration));
    };
    // One width a line under the narrow vertical plot (the second one indented under the first),
    // one kind of width a line under the horizontal plot.
    const bool vertical = m_window.isVertical();
    const QString gap = vertical ? QStringLiteral("\n        ") : QStringLiteral("  ");
    return pair(QStringLiteral("FWHM"), m_raw.halfMaximum, m_analysed.halfMaximum, gap) + QStringLiteral("\n") +
           pair(QStringLiteral("1/e²"), m_raw.e2, m_analysed.e2, gap) + QStringLiteral("\n") + smoothingText(s);
}

QString CurveWidthReadout::smoothingText(const AnalysisState &s)
{
    // The analysed curve averages 2n + 1 raster samples along the cut: fewer picture pixels
    // under a picture fitted onto the raster, so its widths differ between placements.
    const int n = profile::SmoothingHalfWidth(s);
    if (n == 0)
        return QCoreApplication::translate("CurveWidthReadout", "分析曲线不平滑");
    const double pixels = s.picture.toPicturePixels(2 * n + 1);
    return QCoreApplication::translate("CurveWidthReadout", "分析曲线平滑 %1 像素").arg(numberText(std::round(pixels * 10) / 10));
}

void CurveWidthReadout::beforeRedraw()
{
    xorLines(m_drawn);
    m_drawn.clear();
}

void CurveWidthReadout::update()
{
    const AnalysisState &s = m_window.state();
    const bool vertical = m_window.isVertical();
    m_raw = measureCurveWidths(rawSamples(s, vertical));
    m_analysed = measureCurveWidths(analysedSamples(s, vertical));
    m_label->setText(text());
    xorLines(m_drawn); // normally empty: beforeRedraw took them off
    m_drawn.clear();
    if (m_switch->isChecked())
        drawMarkers();
}

void CurveWidthReadout::drawMarkers()
{
    m_drawn = markerLines();
    xorLines(m_drawn);
}

void CurveWidthReadout::xorLines(const std::vector<MarkerLine> &lines)
{
    if (lines.empty())
        return;
    PictureSurface &plot = m_window.plot();
    const PictureSurface::PenMode pen = plot.penMode();
    const PictureSurface::LineStyle style = plot.lineStyle();
    plot.setPenMode(PictureSurface::PenMode::Xor);
    plot.setLineStyle(PictureSurface::LineStyle::Solid);
    for (const MarkerLine &m : lines)
        plot.line(m.line.x1(), m.line.y1(), m.line.x2(), m.line.y2(), m.colour);
    plot.setLineStyle(style);
    plot.setPenMode(pen);
}

std::vector<CurveWidthReadout::MarkerLine> CurveWidthReadout::markerLines() const
{
    const AnalysisState &s = m_window.state();
    const bool vertical = m_window.isVertical();
    const bool lineMode = m_window.lineModeActive();
    // The analysed curve is the one on show in line mode and the one a beam is judged by in face
    // mode; the raw curve stands in while there is no analysed one.
    const bool analysed = lineMode || m_analysed.hasPeak;
    const CurveWidths &w = analysed ? m_analysed : m_raw;
    if (!w.hasPeak)
        return {};

    const bool enlarged = s.view.Enlarged;
    const double step = plotgeometry::enlargedStep(vertical);
    // Plot pixel along the position axis of sample k (picture pixel k + 1), as the curves plot it.
    const auto along = [&](double k) {
        const double i = k + FirstSample;
        if (!enlarged)
            return i;
        return (analysed || vertical) ? step * (i - 1) : step * i;
    };
    const double lo = lineMode ? s.cut.ProfileMin : s.picture.GreyMin;
    const double hi = lineMode ? s.cut.ProfileMax : s.picture.GreyMax;
    const int a = plotgeometry::amplitude(enlarged);
    // Plot pixel along the intensity axis of a value, as the curves plot it.
    const auto across = [&](double v) {
        const double level = (hi == lo || v < lo) ? 0.0 : std::floor(a * (v - lo) / (hi - lo));
        return vertical ? level : a - level;
    };

    std::vector<MarkerLine> lines;
    const auto bracket = [&](const CurveWidth &width, Colour colour) {
        if (!width.complete())
            return;
        const double p1 = std::round(along(*width.left));
        const double p2 = std::round(along(*width.right));
        // Two pixels to the peak's side of its level: the half-maximum of a curve scaled to its
        // own range lies on the plot's 50 % line, which would hide it.
        const double q = across(width.level) + (vertical ? LevelClearance : -LevelClearance);
        const auto segment = [&](double pa, double qa, double pb, double qb) {
            lines.push_back({vertical ? QLineF(qa, pa, qb, pb) : QLineF(pa, qa, pb, qb), colour});
        };
        segment(p1, q, p2, q);
        // The ticks leave out the pixel the bracket's line already inverted.
        for (const double p : {p1, p2}) {
            segment(p, q - TickLength, p, q - 1);
            segment(p, q + 1, p, q + TickLength);
        }
    };
    bracket(w.halfMaximum, HalfMaximumMarker);
    bracket(w.e2, E2Marker);
    return lines;
}

} // namespace lumetra
