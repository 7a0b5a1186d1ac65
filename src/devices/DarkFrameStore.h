#pragma once

#include "devices/CameraControls.h"
#include "types/BeamFrame.h"

#include <QString>

#include <optional>

namespace lumetra {

// The dark frame last collected on each camera, kept beside the camera's settings for its next
// opening. A dark frame holds only for the pixel format, exposure, gain, region and binning it
// was collected at: under other settings none is handed back.
bool saveDarkFrame(const QString &serial, const CameraSettings &collectedAt, const beam::BeamFrame &dark);
std::optional<beam::BeamFrame> loadDarkFrame(const QString &serial, const CameraSettings &now);
void forgetDarkFrame(const QString &serial);

} // namespace lumetra
