#pragma once

#include "analysis/beam/BeamMeasurement.h"
#include "platform/settings/Calibration.h"

#include <QString>
#include <QStringList>

namespace lumetra {

// The values of one measured frame as text, in the order the beam window's copy and log give
// them: status, centroid, D4σ diameters, angle, ellipticity, peak, saturated pixels, dark level
// and noise, iterations, then the pixel size and the diameters in µm (empty when uncalibrated).
// Values that do not exist (no beam) are empty.
struct BeamReadout
{
    QStringList names;
    QStringList values;
};

BeamReadout beamReadout(const beam::BeamResult &result, const Calibration &calibration);

// A number as the beam window shows it: `decimals` places, no "-0".
QString beamNumber(double value, int decimals);

} // namespace lumetra
