#pragma once

#include "analysis/monitoring/PointingStatistics.h"

#include <QString>

namespace lumetra {

// The statistics as the monitoring window shows them, several lines: in µm when umPerPixel is
// above 0 (pixels beside), the angular stability only with a distance and a calibration.
QString monitorStatisticsText(const QString &title, const monitoring::PointingStatistics &s, double umPerPixel,
                              const monitoring::AngularReference &reference);

} // namespace lumetra
