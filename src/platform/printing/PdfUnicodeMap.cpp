#include "platform/printing/PdfUnicodeMap.h"

#include <QFont>
#include <QHash>
#include <QRawFont>

#include <mutex>

namespace lumetra {

namespace {

bool isRadical(char16_t c)
{
    return (c >= 0x2E80 && c <= 0x2EFF) || (c >= 0x2F00 && c <= 0x2FDF);
}

// Each radical the CJK faces draw with an ideograph's glyph, to that ideograph (the lowest of
// the unified ideographs with the same glyph). Kangxi radicals without such a glyph fall back
// to their compatibility decomposition.
const QHash<char16_t, char16_t> &radicalIdeographs()
{
    static QHash<char16_t, char16_t> map;
    static std::once_flag made;
    std::call_once(made, [] {
        QString radicals;
        for (char16_t c = 0x2E80; c <= 0x2FDF; ++c)
            radicals.append(QChar(c));
        QString ideographs;
        for (char16_t c = 0x4E00; c <= 0x9FFF; ++c)
            ideographs.append(QChar(c));
        for (const char *family : {"Noto Sans CJK SC", "Noto Serif CJK SC"}) {
            const QRawFont font = QRawFont::fromFont(QFont(QString::fromLatin1(family)));
            if (!font.isValid())
                continue;
            const QList<quint32> radicalGlyphs = font.glyphIndexesForString(radicals);
            const QList<quint32> ideographGlyphs = font.glyphIndexesForString(ideographs);
            if (radicalGlyphs.size() != radicals.size() || ideographGlyphs.size() != ideographs.size())
                continue;
            QHash<quint32, char16_t> byGlyph;
            for (qsizetype i = ideographGlyphs.size() - 1; i >= 0; --i)
                if (ideographGlyphs[i] != 0)
                    byGlyph.insert(ideographGlyphs[i], ideographs[i].unicode());
            for (qsizetype i = 0; i < radicals.size(); ++i) {
                const auto found = byGlyph.constFind(radicalGlyphs[i]);
                if (radicalGlyphs[i] != 0 && found != byGlyph.constEnd() && !map.contains(radicals[i].unicode()))
                    map.insert(radicals[i].unicode(), *found);
            }
        }
        for (const QChar c : radicals) {
            const QString plain = QString(c).normalized(QString::NormalizationForm_KC);
            if (!map.contains(c.unicode()) && plain.size() == 1 && plain[0] != c)
                map.insert(c.unicode(), plain[0].unicode());
        }
    });
    return map;
}

QByteArray hex4(char16_t c)
{
    return QByteArray::number(int(c), 16).toUpper().rightJustified(4, '0');
}

// Rewrites the destinations in one section of a map, line by line: "<src> <dst>" (bfchar),
// "<lo> <hi> [<dst> ...]" and "<lo> <lo> <dst>" (bfrange); a range "<lo> <hi> <dst>" with hi > lo
// maps consecutive characters and is kept.
int mapSection(QByteArray &pdf, qsizetype from, qsizetype to, bool ranges)
{
    const QHash<char16_t, char16_t> &map = radicalIdeographs();
    int changed = 0;
    for (qsizetype line = from; line < to;) {
        qsizetype lineEnd = pdf.indexOf('\n', line);
        if (lineEnd < 0 || lineEnd > to)
            lineEnd = to;
        struct Code
        {
            qsizetype at; // the first hex digit
            QByteArray hex;
        };
        QList<Code> codes;
        bool array = false;
        for (qsizetype p = line; p < lineEnd; ++p) {
            if (pdf.at(p) == '[')
                array = true;
            if (pdf.at(p) != '<')
                continue;
            const qsizetype close = pdf.indexOf('>', p);
            if (close < 0 || close > lineEnd)
                break;
            codes.append({p + 1, pdf.mid(p + 1, close - p - 1)});
            p = close;
        }
        qsizetype first = codes.size(); // the first destination
        if (!ranges && codes.size() == 2)
            first = 1;
        else if (ranges && array)
            first = 2;
        else if (ranges && codes.size() == 3 && codes[0].hex == codes[1].hex)
            first = 2;
        for (qsizetype i = first; i < codes.size(); ++i) {
            bool ok = false;
            const auto code = char16_t(codes[i].hex.toUInt(&ok, 16));
            const auto found = map.constFind(code);
            if (ok && codes[i].hex.size() == 4 && isRadical(code) && found != map.constEnd()) {
                pdf.replace(codes[i].at, 4, hex4(*found));
                ++changed;
            }
        }
        line = lineEnd + 1;
    }
    return changed;
}

} // namespace

int mapRadicalsToIdeographs(QByteArray &pdf)
{
    int changed = 0;
    for (const bool ranges : {false, true}) {
        const QByteArray begin = ranges ? "beginbfrange" : "beginbfchar";
        const QByteArray end = ranges ? "endbfrange" : "endbfchar";
        for (qsizetype at = pdf.indexOf(begin); at >= 0; at = pdf.indexOf(begin, at + 1)) {
            const qsizetype stop = pdf.indexOf(end, at);
            if (stop < 0)
                break;
            changed += mapSection(pdf, at + begin.size(), stop, ranges);
        }
    }
    return changed;
}

} // namespace lumetra
