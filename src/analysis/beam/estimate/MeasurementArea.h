#pragma once

#include "analysis/beam/estimate/BeamMoments.h"

// Where and on what level the D4σ estimate summed its moments in its last round: every figure
// beyond D4σ is taken over this same area of the same conditioned frame, less this same level.
namespace lumetra::beam::detail {

struct MeasurementArea
{
    TurnedRect area;   // the pixels summed (an ellipse for the robust estimate, a rectangle for ISO)
    Plane level;       // the dark level subtracted there
    double halfU = 0, halfV = 0; // half sides of the rectangle the area lies in (the profiles' reach)
    bool valid = false;
};

} // namespace lumetra::beam::detail
