#include "reports/CurveReportLayout.h"

#include "types/Colour.h"
#include "platform/printing/PrinterPage.h"
#include "reports/ReportGrid.h"
#include "reports/ReportNumber.h"
#include "types/WorkspaceRaster.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {

// This file's texts in the interface language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(CurveReportLayout)
};

// The suffix of an analysed report's title for the display mode it shows.
QString modeSuffix(DisplayMode mode)
{
    return mode == DisplayMode::Face ? Texts::tr("(面)") : Texts::tr("(线)");
}

// One entry of the list of marked points: its number, position and intensity.
QString markText(const QString &number, const QString &first, const QString &second)
{
    return Texts::tr("点%1(%2,%3)").arg(number, first, second);
}

} // namespace

CurveReportLayout::CurveReportLayout(const AnalysisState &state, Orientation orientation,
                                     std::optional<DisplayMode> mode,
                                     bool analysed)
    : m_state(state), m_orientation(orientation), m_mode(mode), m_analysed(analysed)
{
}

QString CurveReportLayout::title() const
{
    if (m_orientation == Orientation::Horizontal)
        return m_analysed ? Texts::tr("水平分析曲线") : Texts::tr("水平原始曲线");
    return m_analysed ? Texts::tr("垂直分析曲线") : Texts::tr("垂直原始曲线");
}

QString CurveReportLayout::reportName() const
{
    if (!m_analysed || !m_mode)
        return title();
    return title() + modeSuffix(*m_mode);
}

int CurveReportLayout::samples() const
{
    return m_orientation == Orientation::Horizontal ? WorkspaceRasterWidth : WorkspaceRasterHeight;
}

std::vector<double> CurveReportLayout::rawValues() const
{
    // The grey values of the cut line, index 0..samples(). A cut outside the picture has none.
    std::vector<double> values(static_cast<size_t>(samples()) + 1, 0.0);
    const double cut = m_state.cut.CutPosition;
    if (m_orientation == Orientation::Horizontal) {
        if (cut >= 0 && cut < GreyMapGrid::Height) {
            const int *row = m_state.picture.GreyMap.row(static_cast<int>(cut));
            std::copy(row, row + values.size(), values.begin());
        }
    } else if (cut >= 0 && cut < GreyMapGrid::Width) {
        for (size_t y = 0; y < values.size(); ++y)
            values[y] = m_state.picture.GreyMap(static_cast<int>(cut), static_cast<int>(y));
    }
    return values;
}

std::vector<double> CurveReportLayout::profileValues() const
{
    if (m_orientation == Orientation::Horizontal)
        return {m_state.cut.ProfileH.begin(), m_state.cut.ProfileH.end()};
    return {m_state.cut.ProfileV.begin(), m_state.cut.ProfileV.end()};
}

int CurveReportLayout::markCount() const
{
    const double count = m_orientation == Orientation::Horizontal ? m_state.view.MarkCountH : m_state.view.MarkCountV;
    if (!(count > 0))
        return 0;
    return std::min(MaxMarks, static_cast<int>(count));
}

const MarkTable &CurveReportLayout::markValues() const
{
    return m_orientation == Orientation::Horizontal ? m_state.view.MarkValuesH : m_state.view.MarkValuesV;
}

double CurveReportLayout::plotY(double value, double low, double high) const
{
    const double bottom = m_plotTop + PlotHeight;
    if (low == high || value < low)
        return bottom;
    return bottom - std::floor(PlotHeight * (value - low) / (high - low));
}

int CurveReportLayout::lastJoined() const
{
    // A fitted picture ends before the raster does; the raster beyond it is no data.
    const bool horizontal = m_orientation == Orientation::Horizontal;
    const int extent = horizontal ? m_state.picture.PictureExtentX : m_state.picture.PictureExtentY;
    return extent < samples() ? std::max(0, extent - 2) : samples() - 1;
}

bool CurveReportLayout::cutInPicture() const
{
    const bool horizontal = m_orientation == Orientation::Horizontal;
    const int across = horizontal ? m_state.picture.PictureExtentY : m_state.picture.PictureExtentX;
    return across >= (horizontal ? WorkspaceRasterHeight : WorkspaceRasterWidth) ||
           std::nearbyint(m_state.cut.CutPosition) < across;
}

void CurveReportLayout::plotCurve(PrinterPage &page, const std::vector<double> &values, double low,
                                  double high) const
{
    if (!cutInPicture())
        return; // a cut beyond a fitted picture has no curve
    double x = LeftMargin + 200;
    for (int j = 1; j <= lastJoined(); ++j) {
        const double previousX = x;
        x += m_xScale;
        page.line(previousX, plotY(values[j], low, high), x, plotY(values[j + 1], low, high), colours::Black);
    }
}

void CurveReportLayout::drawMarkCrosses(PrinterPage &page) const
{
    const bool horizontal = m_orientation == Orientation::Horizontal;
    for (int j = 0; j < markCount(); ++j) {
        const auto &mark = markValues()[static_cast<size_t>(j)];
        const double position = horizontal ? mark[0] : mark[1];
        const double intensity = horizontal ? mark[1] : mark[0];
        // Marks keep picture pixels; the plot runs along raster pixels.
        const double x = LeftMargin + 200 +
                         m_xScale * (std::abs(m_state.view.AxisStart) + position * m_state.picture.PictureScale);
        const double y = m_plotTop + PlotHeight - PlotHeight * intensity / 100;
        page.line(x - CrossArm, y, x + CrossArm, y, colours::Black);
        page.line(x, y - CrossArm, x, y + CrossArm, colours::Black);
    }
}

void CurveReportLayout::printMarkList(PrinterPage &page) const
{
    page.setFontSize(ListFontSize);
    int column = 0;
    int row = 0;
    for (int j = 0; j < markCount(); ++j) {
        const QString widest =
            markText(QStringLiteral("00"), QStringLiteral("0000.00"), QStringLiteral("000.00"));
        const double w = page.textWidth(widest);
        const double h = page.textHeight(widest);
        page.setCurrentX(LeftMargin + 200 + column * w + 200);
        page.setCurrentY(m_plotTop + PlotHeight + 800 + row * (h + 100));
        const auto &mark = markValues()[static_cast<size_t>(j)];
        page.print(markText(QString::number(j), reportNumber(mark[0]), reportNumber(mark[1])));
        if (++column == 3) {
            column = 0;
            ++row;
        }
    }
}

void CurveReportLayout::drawGrid(PrinterPage &page) const
{
    const double scale = m_state.picture.PictureScale;
    const double labelStep = (m_orientation == Orientation::Horizontal ? 64 : 48) / scale;
    ReportGrid(LeftMargin, RightMargin, m_plotTop, m_state.view.AxisStart / scale, labelStep)
        .DrawGrid1(page, PlotHeight, MinorTicksX, MinorTicksY);
}

QString CurveReportLayout::footer() const
{
    const bool horizontal = m_orientation == Orientation::Horizontal;
    const QString at =
        reportNumber(std::round(m_state.picture.toPicturePixels(m_state.cut.CutPosition) * 10) / 10);
    const QString cut = horizontal ? Texts::tr("第 %1 行").arg(at) : Texts::tr("第 %1 列").arg(at);
    return Texts::tr("图片：%1　切线：%2　积分宽度：%3　日期：%4")
        .arg(QFileInfo(m_state.picture.ImagePath).fileName(), cut, reportNumber(m_state.cut.IntegrationWidth),
             QDate::currentDate().toString(Qt::ISODate));
}

void CurveReportLayout::printFooter(PrinterPage &page) const
{
    page.setFontSize(FooterFontSize);
    page.setBold(false);
    const QString text = footer();
    // Right-aligned with the end of the position axis.
    page.setCurrentX(page.pageWidth() - RightMargin - page.textWidth(text));
    page.setCurrentY(page.pageHeight() - FooterBottomMargin - page.textHeight(text));
    page.print(text);
}

void CurveReportLayout::draw(PrinterPage &page)
{
    const double savedFontSize = page.fontSize();
    const double w = page.pageWidth();
    const QString heading = title();

    page.setFontSize(TitleFontSize);
    m_plotTop = TopMargin + page.textHeight(heading) + TitleGap + 1;
    const double titleX = (w - RightMargin - LeftMargin) / 2 - page.textWidth(heading) / 2;
    page.setCurrentX(titleX);
    page.setCurrentY(TopMargin);
    page.setBold(true);
    page.print(heading);
    m_xScale = (w - 200 - RightMargin - LeftMargin) / samples();

    if (!m_analysed) {
        page.setBold(false);
        page.setFontSize(savedFontSize);
        drawGrid(page);
        plotCurve(page, rawValues(), m_state.picture.GreyMin, m_state.picture.GreyMax);
        printFooter(page);
        page.setFontSize(savedFontSize);
        return;
    }

    if (m_mode) {
        const bool face = *m_mode == DisplayMode::Face;
        // The suffix follows the title as printed (bold, 18 points); line mode one twip further.
        page.setCurrentX(titleX + page.textWidth(heading) + (face ? 0 : 1));
        page.setCurrentY(TopMargin);
        page.print(modeSuffix(*m_mode));
        page.setBold(false);
        page.setFontSize(savedFontSize);
        drawGrid(page);
        if (face)
            plotCurve(page, profileValues(), m_state.picture.GreyMin, m_state.picture.GreyMax);
        else
            plotCurve(page, profileValues(), m_state.cut.ProfileMin, m_state.cut.ProfileMax);
        drawMarkCrosses(page);
    }

    if (markCount() > 0)
        printMarkList(page);
    printFooter(page);
    page.setFontSize(savedFontSize);
}

} // namespace lumetra
