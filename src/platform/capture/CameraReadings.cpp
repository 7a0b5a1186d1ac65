#include "platform/capture/CameraReadings.h"

namespace lumetra {

CameraReadings readCamera(const CameraControls &camera)
{
    const CameraLimits limits = camera.limits();
    const CameraSettings settings = camera.settings();
    CameraReadings r;
    if (limits.exposureUs.available)
        r.exposureUs = settings.exposureUs;
    if (limits.gain.available)
        r.gain = settings.gain;
    return r;
}

} // namespace lumetra
