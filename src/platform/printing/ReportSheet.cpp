#include "platform/printing/ReportSheet.h"

#include <QCoreApplication>

#include <algorithm>

namespace lumetra {

namespace {
constexpr double Gap = 60;            // twips between blocks
constexpr Colour RuleColour = rgb(110, 110, 110);
constexpr Colour FrameColour = rgb(160, 160, 160);
} // namespace

ReportSheet::ReportSheet(PrinterPage &page) : m_page(page) {}

QString ReportSheet::program()
{
    return QStringLiteral("Lumetra %1.%2.%3").arg(LUMETRA_VERSION_MAJOR).arg(LUMETRA_VERSION_MINOR).arg(LUMETRA_VERSION_PATCH);
}

double ReportSheet::lineHeight(double points) const
{
    m_page.setFontSize(points);
    return m_page.textHeight(QStringLiteral("Ag")); // a line's height, whatever it holds
}

void ReportSheet::textAt(double x, double y, const QString &text)
{
    m_page.setCurrentX(x);
    m_page.setCurrentY(y);
    m_page.print(text);
}

void ReportSheet::title(const QString &text, const QDateTime &when)
{
    m_page.setBold(true);
    const double h = lineHeight(15);
    textAt(0, m_y, text);
    m_page.setBold(false);
    m_page.setFontSize(9);
    const QString right =
        when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral("    ") + program();
    textAt(width() - m_page.textWidth(right), m_y + h - m_page.textHeight(right), right);
    m_y += h + 30;
    m_page.line(0, m_y, width(), m_y, RuleColour);
    m_y += Gap;
}

void ReportSheet::heading(const QString &text)
{
    m_page.setBold(true);
    const double h = lineHeight(10);
    if (h + 20 > room()) {
        m_fits = false;
        m_page.setBold(false);
        return;
    }
    textAt(0, m_y, text);
    m_page.setBold(false);
    m_y += h + 10;
    m_page.line(0, m_y, width(), m_y, FrameColour);
    m_y += 40;
}

void ReportSheet::fields(const QList<QPair<QString, QString>> &pairs, int columns, double points)
{
    const double h = lineHeight(points);
    const double column = width() / std::max(1, columns);
    for (qsizetype i = 0; i < pairs.size(); i += columns) {
        if (h > room()) {
            m_fits = false;
            return;
        }
        for (int c = 0; c < columns && i + c < pairs.size(); ++c) {
            const auto &[caption, value] = pairs[i + c];
            textAt(c * column, m_y, QCoreApplication::translate("ReportSheet", "%1：%2").arg(caption, value));
        }
        m_y += h;
    }
    m_y += Gap;
}

double ReportSheet::table(double x, double tableWidth, const QStringList &header, const QList<QStringList> &rows,
                          const QList<double> &shares, double points)
{
    const double h = lineHeight(points) + 16;
    double total = 0;
    for (const double s : shares)
        total += s;
    QList<double> lefts, rights;
    double at = x;
    for (const double s : shares) {
        lefts << at;
        at += tableWidth * s / total;
        rights << at;
    }
    const auto row = [&](double y, const QStringList &cells) {
        for (qsizetype c = 0; c < cells.size() && c < lefts.size(); ++c) {
            const double pad = 40;
            const bool number = c > 0;
            const double w = m_page.textWidth(cells[c]);
            textAt(number ? rights[c] - pad - w : lefts[c] + pad, y + 8, cells[c]);
        }
    };
    double y = m_y;
    m_page.setBold(true);
    m_page.setFontSize(points);
    row(y, header);
    m_page.setBold(false);
    m_page.setFontSize(points);
    y += h;
    m_page.line(x, y, x + tableWidth, y, FrameColour);
    for (const QStringList &cells : rows) {
        if (y + h > m_page.pageHeight()) {
            m_fits = false;
            break;
        }
        row(y, cells);
        y += h;
    }
    m_page.line(x, y, x + tableWidth, y, FrameColour);
    return y - m_y;
}

namespace {

// Punctuation that ends what stands before it (Chinese and Latin): no line begins with it.
bool closesText(QChar c)
{
    // ，。；：、！？）】」』》〉 and their Latin kin
    static const QString closing = QString::fromUtf16(u"\uFF0C\u3002\uFF1B\uFF1A\u3001\uFF01\uFF1F\uFF09\u3011\u300D\u300F\u300B\u3009,.;:!?)]%");
    return closing.contains(c);
}

} // namespace

void ReportSheet::paragraph(const QString &text, double x, double lineWidth, double points)
{
    const double h = lineHeight(points);
    QString line;
    const auto flush = [&] {
        if (h > room()) {
            m_fits = false;
            line.clear();
            return;
        }
        textAt(x, m_y, line);
        m_y += h;
        line.clear();
    };
    for (const QString &piece : text.split(QLatin1Char('\n'))) {
        qsizetype i = 0;
        while (i < piece.size()) {
            // The next unit: a word with its following space, or one character of other scripts.
            qsizetype end = i + 1;
            if (piece[i].unicode() < 0x2e80)
                while (end < piece.size() && piece[end].unicode() < 0x2e80 && piece[end - 1] != QLatin1Char(' '))
                    ++end;
            // Closing punctuation never starts a line: it goes with what it closes.
            while (end < piece.size() && closesText(piece[end]))
                ++end;
            const QString unit = piece.mid(i, end - i);
            if (!line.isEmpty() && m_page.textWidth(line + unit) > lineWidth)
                flush();
            line += unit;
            i = end;
        }
        flush();
    }
}

void ReportSheet::picture(const QRectF &area, const QImage &image)
{
    if (image.isNull() || area.isEmpty())
        return;
    const double scale = std::min(area.width() / image.width(), area.height() / image.height());
    const QSizeF size(image.width() * scale, image.height() * scale);
    const QRectF target(area.center() - QPointF(size.width() / 2, size.height() / 2), size);
    m_page.drawImage(target, image);
    m_page.line(target.left(), target.top(), target.right(), target.top(), FrameColour);
    m_page.line(target.right(), target.top(), target.right(), target.bottom(), FrameColour);
    m_page.line(target.right(), target.bottom(), target.left(), target.bottom(), FrameColour);
    m_page.line(target.left(), target.bottom(), target.left(), target.top(), FrameColour);
}

} // namespace lumetra
