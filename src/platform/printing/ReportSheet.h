#pragma once

#include "platform/printing/PrinterPage.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace lumetra {

// A one-page measurement report laid out from the top down on a printer page: a title line with
// the date and the program, headed sections, "caption: value" fields, tables, pictures and
// wrapped notes. Positions are twips from the printable area's top-left (see PrinterPage), text
// sizes points. Nothing is drawn below the page's printable area: what does not fit is left out
// and fits() says so.
class ReportSheet
{
public:
    explicit ReportSheet(PrinterPage &page);

    PrinterPage &page() { return m_page; }
    double width() const { return m_page.pageWidth(); }
    double y() const { return m_y; }
    void setY(double y) { m_y = y; }
    void skip(double twips) { m_y += twips; }
    // Room left from the current position to the foot of the page.
    double room() const { return m_page.pageHeight() - m_y; }
    // False once something had to be left out for want of room.
    bool fits() const { return m_fits; }

    // The title, bold at 15 pt, with the time and "Lumetra x.y.z" at the right, and a rule.
    void title(const QString &text, const QDateTime &when);
    // A section heading, bold, with a rule under it.
    void heading(const QString &text);
    // "caption：value" pairs in `columns` columns of equal width, filled row by row.
    void fields(const QList<QPair<QString, QString>> &pairs, int columns, double points = 9);
    // A table at x over `width`: a bold header row and the rows; the columns' shares of the width
    // in `shares` (as many as the header's cells). Numbers (cells after the first) are right-aligned.
    // Rows that do not fit are left out. Returns the height used.
    double table(double x, double width, const QStringList &header, const QList<QStringList> &rows,
                 const QList<double> &shares, double points = 8);
    // The height of one table row at that size: how many rows fit is room() over it, less the
    // header's row and a little.
    double tableRowHeight(double points = 8) const { return lineHeight(points) + 16; }
    // Text wrapped to `width` at x (at spaces, or anywhere in Chinese text).
    void paragraph(const QString &text, double x, double width, double points = 9);
    // A picture scaled into the rectangle, keeping its proportions, centred; a thin frame round it.
    void picture(const QRectF &area, const QImage &image);

    // The program and its version as the reports name it: "Lumetra 2.0.0".
    static QString program();

private:
    double lineHeight(double points) const;
    void textAt(double x, double y, const QString &text);

    PrinterPage &m_page;
    double m_y = 0;
    bool m_fits = true;
};

} // namespace lumetra
