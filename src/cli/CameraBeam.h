#pragma once

#include "analysis/beam/BeamMeasurement.h"
#include "cli/CameraSession.h"

#include <optional>

namespace lumetra::cli {

// `beam --camera`: one row per measured frame (image column "ID#n"), printed and flushed as
// each frame comes; JSON as an array written row by row.
int measureCameraBeams(const CameraRequest &request, const beam::BeamOptions &options, const beam::BeamFrame *dark,
                       std::optional<double> pixelSizeUm, bool csv, bool widths);

} // namespace lumetra::cli
