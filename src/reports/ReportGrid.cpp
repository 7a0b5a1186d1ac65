#include "reports/ReportGrid.h"

#include "types/Colour.h"
#include "platform/printing/PrinterPage.h"
#include "reports/ReportNumber.h"

#include <cmath>

namespace lumetra {

namespace {
// The position axis hangs its ticks below this fixed depth of the plot, whatever plotHeight is.
constexpr double TickBase = 4000;
} // namespace

ReportGrid::ReportGrid(double leftMargin, double rightMargin, double plotTop, double axisStart, double labelStep)
    : m_leftMargin(leftMargin), m_rightMargin(rightMargin), m_plotTop(plotTop), m_axisStart(axisStart),
      m_labelStep(labelStep)
{
}

void ReportGrid::DrawGrid1(PrinterPage &page, int16_t plotHeight, int16_t xMinor, int16_t yMinor) const
{
    const Colour black = colours::Black;
    const double x0 = m_leftMargin;
    const double y0 = m_plotTop;
    const double h = plotHeight;
    const double length = page.pageWidth() - 200 - m_rightMargin - x0;
    const double axisX = x0 + 200;

    if (yMinor > 0) {
        const int count = 10 * yMinor;
        for (int i = 0; i <= count; ++i) {
            const double y = y0 + h * i / count;
            page.line(x0 + 100, y, axisX, y, black);
        }
    }
    for (int i = 0; i <= 10; ++i) {
        const double y = y0 + h * i / 10;
        page.line(x0, y, axisX, y, black);
    }
    const double halfDigit = page.textHeight(QStringLiteral("1")) / 2;
    for (int i = 0; i <= 10; ++i) {
        page.setCurrentX(x0 + 201);
        page.setCurrentY(y0 + h * i / 10 - halfDigit);
        page.print(reportNumber((10 - i) * 10));
    }

    page.line(axisX, y0, axisX, y0 + h, black);
    page.line(axisX, y0 + h, page.pageWidth() - m_rightMargin, y0 + h, black);

    if (xMinor >= 1) {
        const int count = 10 * xMinor;
        for (int i = 0; i <= count; ++i) {
            const double x = axisX + length * i / count;
            page.line(x, y0 + TickBase, x, y0 + TickBase + 100, black);
        }
    }
    for (int i = 0; i <= 10; ++i) {
        const double x = axisX + length * i / 10;
        page.line(x, y0 + TickBase, x, y0 + TickBase + 200, black);
    }
    for (int i = 10; i >= 0; --i) {
        const QString label = reportNumber(std::round((m_axisStart + m_labelStep * i) * 10) / 10);
        page.setCurrentX(axisX + length * i / 10 - page.textWidth(label) / 2);
        page.setCurrentY(y0 + TickBase + 200);
        page.print(label);
    }
}

} // namespace lumetra
