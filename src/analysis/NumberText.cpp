#include "analysis/NumberText.h"

#include <QLocale>

#include <cmath>

namespace lumetra {

QString numberText(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace lumetra
