#pragma once

#include "analysis/monitoring/PointingStatistics.h"

#include <nlohmann/json.hpp>

namespace lumetra::monitoring {

// The statistics as the command line prints them: lengths in px, and again in µm (fields ending
// in _um) when umPerPixel is above 0; drift per minute; the angular stability in µrad only when
// both the pixel size and the distance are known (null otherwise, with the reason beside it).
nlohmann::ordered_json statisticsJson(const PointingStatistics &s, double umPerPixel,
                                      const AngularReference &reference);

} // namespace lumetra::monitoring
