#pragma once

#include "analysis/beam/condition/ConditionedFrame.h"

// The second stage: is there a beam at all? A significance test on the conditioned frame with a
// stated false-alarm rate.
//
// The frame is averaged into cells of 2, 4, 8, ... pixels a side. At every scale and position the
// statistic is the mean of a centre window of 2 x 2 cells less the mean of the ring of cells
// around it out to 6 x 6 cells: a matched filter for a spot of about the window's size that a
// flat or linearly sloping dark level leaves at zero. Only positions whose whole ring lies in the
// frame are tried (the smallest cells in four phases, a pixel apart). Each scale's statistic is
// divided by its own noise: the largest of what the pixel noise of the corners makes of it, the
// robust spread (1.4826 x median absolute value) of the statistic over the frame away from its
// strongest position, so that row or column patterns, Poisson and uniform noise set their own
// scale, and the finer scale's noise over sqrt(2) (what a pattern of whole rows or columns keeps
// from one scale to the next, where too few rows remain to tell its spread). The threshold
// follows from the number of positions and scales tried: a false alarm on a frame of pure noise
// is at most FalseAlarmRate (Bonferroni), corrected at each scale for the skewness of the pixel
// noise measured in the corners (Poisson counts of a few a pixel have a long upper tail), with
// one standard deviation to spare.
//
// A candidate above the threshold is tried again on the pixels of its centre window, each held to
// the brightest of its eight neighbours, which takes out hot pixels of any brightness; and it must
// still pass without the light of the hits in it (up to six bright pixels together, the pixels
// around which hold little light: a cosmic-ray hit, a hot cluster). The first candidate,
// strongest first, that passes both is the beam.
//
// Two shortcuts: a beam that stands far out of everything (its brightest block of 4 x 4 pixels
// three thresholds of pixel noise above the dark level and twice the corners' spread, and still
// so without spikes and hits) is decided at once, without the search; a frame under 12 pixels a
// side, too small for any window, is a beam when its brightest pixel (held to its brightest
// neighbour) stands out by the threshold for its number of pixels.
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
