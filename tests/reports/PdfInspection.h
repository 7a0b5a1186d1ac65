#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

namespace lumetra::testing {

// Looks into a PDF file with the poppler tools: page count, a rendering, and the words with
// their boxes (in points, origin top-left).
struct PdfWord
{
    QString text;
    QRectF box;
};

int pdfPageCount(const QString &path);
// pdftoppm -png -r dpi, vector anti-aliasing off so that thin lines come out as whole pixels.
QImage renderPdf(const QString &path, int dpi = 50);
QList<PdfWord> pdfWords(const QString &path);
// The words whose text contains `part`.
QList<PdfWord> wordsContaining(const QList<PdfWord> &words, const QString &part);

// A pixel counts as ink when it is clearly darker than paper.
bool isInk(const QImage &image, int x, int y);
// Ink pixels in the rectangle (clipped to the image).
int inkCount(const QImage &image, const QRect &area);

} // namespace lumetra::testing
