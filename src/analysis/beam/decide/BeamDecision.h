#pragma once

#include "analysis/beam/condition/ConditionedFrame.h"

// The second stage: is there a beam at all? A significance test on the conditioned frame with a
// stated false-alarm rate.
//
// The frame is averaged into cells of 2, 4, 8, ... pixels a side. At every scale and position the
// statistic is the mean of a centre window of 2 x 2 cells less the mean of the ring of cells
// around it out to 6 x 6 cells: a matched filter for a spot of about the window's size that a
// flat or linearly sloping dark level leaves at zero. Only positions whose whole ring lies in the
// frame are tried. Each scale's statistic is divided by its own noise: the larger of what the
// pixel noise of the corners makes of it and the robust spread (1.4826 x median absolute value)
// of the statistic over the frame away from its strongest position, so that row or column
// patterns, Poisson and uniform noise set their own scale. The threshold follows from the number
// of positions and scales tried: a false alarm on a frame of pure noise is at most
// FalseAlarmRate (Bonferroni), with one standard deviation to spare for tails heavier than a
// Gaussian's (Poisson noise of a few counts a pixel).
//
// A candidate above the threshold is tried again on the pixels themselves with every pixel held
// to the brightest of its eight neighbours, which takes out hot pixels of any brightness; and a
// candidate whose light is held by its brightest four pixels (a cosmic-ray hit, a hot cluster) is
// refused. The first candidate, strongest first, that passes both is the beam.
namespace lumetra::beam::detail {

// Frames of pure noise called a beam: at most this share.
constexpr double FalseAlarmRate = 1e-4;

struct BeamDecision
{
    bool beam = false;
    double significance = 0; // the statistic of the beam (or of the strongest candidate), noise deviations
    double threshold = 0;    // what a candidate must reach
    // The centre window of the beam's candidate: centre and side, pixels.
    double cx = 0, cy = 0, side = 0;
};

BeamDecision decideBeam(const ConditionedFrame &frame);

} // namespace lumetra::beam::detail
