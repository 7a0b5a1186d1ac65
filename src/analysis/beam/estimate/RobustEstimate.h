#pragma once

#include "analysis/beam/condition/ConditionedFrame.h"
#include "analysis/beam/decide/BeamDecision.h"
#include "analysis/beam/estimate/BeamShape.h"
#include "analysis/beam/estimate/MeasurementArea.h"

// The default D4σ estimate (see measureBeam): the clipped estimate started on the beam the
// decision found, then unclipped moments inside the inscribed ellipse with the dark level fitted
// as a plane to the band around it.
namespace lumetra::beam::detail {

struct RobustEstimate
{
    bool valid = false;
    Shape shape;            // the reported estimate
    Shape clipped;          // the clipped estimate (its orientation is the reported one)
    int iterations = 0;
    bool converged = false;
    bool backgroundWarning = false;
    // What the pixel noise alone does to the diameters: relative standard deviation, the larger
    // of the two axes.
    double diameterNoise = 0;
    MeasurementArea area;
};

RobustEstimate robustEstimate(const ConditionedFrame &frame, const BeamOptions &options, const BeamDecision &decision);

// The band around inner in which the dark level is fitted: outer, widened until it holds at
// least 2500 pixels and is 2 pixels wide.
TurnedRect bandAround(const TurnedRect &inner, TurnedRect outer);

} // namespace lumetra::beam::detail
