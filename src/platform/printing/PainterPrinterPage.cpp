#include "platform/printing/PainterPrinterPage.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPen>

#include <cmath>

namespace lumetra {

namespace {
constexpr double TwipsPerInch = 1440;
}

QFont PainterPrinterPage::defaultFont()
{
    // Latin letters and digits from a Latin serif face, Chinese from the Song face of Chinese print
    // (the program maps its names to the serif CJK face installed). The CJK face's digits after
    // Latin letters ("D4σ", "12.5 px") go into PDF files without their characters, so such
    // numbers could not be copied or searched.
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC")});
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

PainterPrinterPage::~PainterPrinterPage()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool PainterPrinterPage::beginPainting(QPagedPaintDevice &device)
{
    if (!m_painter.begin(&device))
        return false;
    // Millimetres keep A4 exact; inches would be rounded to hundredths.
    const QRectF printable = device.pageLayout().paintRect(QPageLayout::Millimeter);
    m_pageWidth = printable.width() / 25.4 * TwipsPerInch;
    m_pageHeight = printable.height() / 25.4 * TwipsPerInch;
    m_painter.scale(device.logicalDpiX() / TwipsPerInch, device.logicalDpiY() / TwipsPerInch);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    applyFont();
    return true;
}

bool PainterPrinterPage::endPainting()
{
    if (!m_painter.isActive())
        return false;
    return m_painter.end();
}

PrintOutcome PainterPrinterPage::endDocument()
{
    if (m_ended)
        return PrintOutcome::failed(QCoreApplication::translate("PainterPrinterPage", "这一页已经送出过"));
    m_ended = true;
    return deliver(endPainting());
}

void PainterPrinterPage::applyFont()
{
    // Under the twips transform one font pixel is one twip, and a point is 20 twips.
    m_font.setPixelSize(std::max(1, static_cast<int>(std::lround(m_fontSize * 20))));
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

void PainterPrinterPage::setFontSize(double points)
{
    if (!(points > 0) || !std::isfinite(points))
        return;
    m_fontSize = points;
    applyFont();
}

void PainterPrinterPage::setBold(bool on)
{
    m_font.setBold(on);
    applyFont();
}

double PainterPrinterPage::textWidth(const QString &text) const
{
    return QFontMetricsF(m_font).horizontalAdvance(text);
}

double PainterPrinterPage::textHeight(const QString &text) const
{
    const QFontMetricsF metrics(m_font);
    const qsizetype lines = text.count(QLatin1Char('\n')) + 1;
    return metrics.height() + (lines - 1) * metrics.lineSpacing();
}

void PainterPrinterPage::print(const QString &text)
{
    const QFontMetricsF metrics(m_font);
    if (m_painter.isActive()) {
        m_painter.setPen(Qt::black);
        m_painter.drawText(QPointF(m_currentX, m_currentY + metrics.ascent()), text);
    }
    m_currentX = 0;
    m_currentY += metrics.height();
}

void PainterPrinterPage::line(double x1, double y1, double x2, double y2, Colour colour)
{
    if (!m_painter.isActive())
        return;
    m_painter.setPen(QPen(toQColor(colour), LineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterPrinterPage::drawImage(const QRectF &target, const QImage &image)
{
    if (!m_painter.isActive() || image.isNull())
        return;
    m_painter.drawImage(target, image);
}

} // namespace lumetra
