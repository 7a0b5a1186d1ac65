#pragma once

#include "platform/printing/PrinterPage.h"

#include <QFont>
#include <QPainter>

class QPagedPaintDevice;

namespace lumetra {

// A page drawn with QPainter on a paged device (a printer or a PDF writer). The painter is scaled
// from twips to device units, and fonts are sized in pixels of that scale (points x 20), which is
// the one way their size comes out right under the transform. Subclasses own the device and
// decide in deliver() what delivering the page means.
class PainterPrinterPage : public PrinterPage
{
public:
    // Face and size of a new page's font.
    static constexpr double DefaultFontSize = 10;
    static QFont defaultFont();
    // Width of every line, in twips (about 0.18 mm, a fine but clearly printed line).
    static constexpr double LineWidth = 10;

    ~PainterPrinterPage() override;

    double pageWidth() const override { return m_pageWidth; }
    double pageHeight() const override { return m_pageHeight; }
    double fontSize() const override { return m_fontSize; }
    void setFontSize(double points) override;
    bool bold() const override { return m_font.bold(); }
    void setBold(bool on) override;
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;
    double currentX() const override { return m_currentX; }
    double currentY() const override { return m_currentY; }
    void setCurrentX(double x) override { m_currentX = x; }
    void setCurrentY(double y) override { m_currentY = y; }
    void print(const QString &text) override;
    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void drawImage(const QRectF &target, const QImage &image) override;

    // Finishes painting and delivers the page; a second call only says the page went out already.
    PrintOutcome endDocument() final;

protected:
    PainterPrinterPage() = default;
    // Starts painting on the device; false (painting impossible) leaves the page unusable.
    bool beginPainting(QPagedPaintDevice &device);
    // Finishes painting; false when the device reports that the page could not be produced.
    bool endPainting();
    // Delivers the page once painting has finished (painted: whether the device produced it).
    virtual PrintOutcome deliver(bool painted) = 0;
    bool painting() const { return m_painter.isActive(); }

private:
    void applyFont();

    QPainter m_painter;
    bool m_ended = false;
    QFont m_font = defaultFont();
    double m_fontSize = DefaultFontSize;
    double m_pageWidth = 0;
    double m_pageHeight = 0;
    double m_currentX = 0;
    double m_currentY = 0;
};

} // namespace lumetra
