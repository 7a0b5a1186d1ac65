#pragma once

#include "platform/capture/CameraControls.h"

#include <optional>

namespace lumetra {

// The exposure (µs) and gain in force on a camera, each empty when the camera has no such
// setting: a log leaves the field empty rather than writing 0.
struct CameraReadings
{
    std::optional<double> exposureUs;
    std::optional<double> gain;
};

CameraReadings readCamera(const CameraControls &camera);

} // namespace lumetra
