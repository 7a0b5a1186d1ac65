#include "reports/ReportNumber.h"

#include <cmath>

namespace lumetra {

QString reportNumber(double value)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

} // namespace lumetra
