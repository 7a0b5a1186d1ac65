#include "analysis/caustic/FrameNameZ.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace lumetra::beam {

std::optional<double> zFromFileName(const QString &path)
{
    static const QRegularExpression number(QStringLiteral("(-?)(\\d+(?:\\.\\d+)?)\\s*mm"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QString name = QFileInfo(path).fileName();
    std::optional<double> z;
    for (QRegularExpressionMatchIterator it = number.globalMatch(name); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        double value = match.captured(2).toDouble();
        const qsizetype dash = match.capturedStart(1);
        if (match.capturedLength(1) == 1) {
            const QChar before = dash > 0 ? name[dash - 1] : QChar();
            if (dash == 0 || before == QLatin1Char('=') || before == QLatin1Char('_') ||
                before == QLatin1Char('-') || before.isSpace())
                value = -value;
        }
        z = value;
    }
    return z;
}

} // namespace lumetra::beam
