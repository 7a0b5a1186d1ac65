#pragma once

#include "types/Colour.h"
#include "platform/printing/PrintOutcome.h"

#include <QImage>
#include <QRectF>
#include <QString>

namespace lumetra {

// One printed page being drawn, laid out in twips (1/1440 inch) from the top-left corner of the
// printable area, x to the right and y downwards. Text goes out at a current position in the
// current font; lines are drawn in a colour. endDocument() sends the page and says where it went;
// nothing is delivered before it, and after it the page accepts no more drawing.
class PrinterPage
{
public:
    virtual ~PrinterPage() = default;

    // The printable width and height of the page.
    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;

    virtual double fontSize() const = 0; // points
    virtual void setFontSize(double points) = 0;
    virtual bool bold() const = 0;
    virtual void setBold(bool on) = 0;
    // Extent of a one-line text in the current font.
    virtual double textWidth(const QString &text) const = 0;
    virtual double textHeight(const QString &text) const = 0;

    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    // Prints text with its top-left corner at the current position; the position then moves to
    // the left edge of the next line.
    virtual void print(const QString &text) = 0;

    virtual void line(double x1, double y1, double x2, double y2, Colour colour) = 0;
    // Draws an image scaled into a rectangle of the page.
    virtual void drawImage(const QRectF &target, const QImage &image) = 0;

    virtual PrintOutcome endDocument() = 0;
};

} // namespace lumetra
