#include "platform/charts/ValueAxes.h"

#include <QtCharts/QValueAxis>

#include <cmath>

namespace lumetra {

QValueAxis *numberAxis(QObject *parent, const QString &title)
{
    auto *axis = new QValueAxis(parent);
    if (!title.isEmpty())
        axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%g"));
    // A number cut to "…" (or left out) where the chart is small reads as no number at all: the
    // labels take the room they need.
    axis->setTruncateLabels(false);
    return axis;
}

void setNiceRange(QValueAxis *axis, double low, double high, int ticks, bool exact)
{
    if (!(high > low))
        high = low + 1;
    const double rough = (high - low) / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    const double step = rough <= power ? power : rough <= 2 * power ? 2 * power : rough <= 5 * power ? 5 * power
                                                                                                      : 10 * power;
    // Fixed ticks while the range changes: dynamic ticks at the old interval over a new, much
    // wider range would lay out thousands of labels first.
    axis->setTickType(QValueAxis::TicksFixed);
    if (exact)
        axis->setRange(low, high);
    else
        axis->setRange(std::floor(low / step) * step, std::ceil(high / step) * step);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
    axis->setTickType(QValueAxis::TicksDynamic);
}

} // namespace lumetra
