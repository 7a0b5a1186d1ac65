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

QString durationText(double us)
{
    const double magnitude = std::abs(us);
    const auto text = [](double v, const char *unit) {
        return QString::number(v, 'g', 4) + u' ' + QString::fromUtf8(unit);
    };
    if (magnitude >= 1e6)
        return text(us / 1e6, "s");
    if (magnitude >= 1e3)
        return text(us / 1e3, "ms");
    return text(us, "µs");
}

} // namespace lumetra
