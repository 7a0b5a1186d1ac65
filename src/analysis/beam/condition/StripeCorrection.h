#pragma once

#include "analysis/beam/estimate/BeamMoments.h"

#include <optional>
#include <vector>

// Smear stripes: a CCD adds the light of the beam's columns to the whole of each column while
// it shifts the charge out (a sensor read out sideways: rows). Such a stripe stands above the dark
// level far above and below the beam, where the beam itself puts no light, and its level is the
// same along the whole column; second moments weigh it by its squared distance, so that even a
// stripe of 1 % of the peak decides the diameters.
namespace lumetra::beam::detail {

enum class StripeDirection { None, Columns, Rows };

// Where the beam's light lies: the box of half sides halfX, halfY around (cx, cy).
struct BeamBox
{
    double cx = 0, cy = 0;
    double halfX = 0, halfY = 0;
};

// Where the beam's light lies, from the block averages of the frame: the blocks joined to the
// brightest one that stand more than 10 % of its height above the dark level (smear of a few per
// cent and a faint stray spot stay below), widened by 1.1 times their reach from the brightest
// block and 3 pixels: for a Gaussian beam 4.5 standard deviations, for a flat top 1.05 diameters.
// Nothing when no block stands above the dark level.
std::optional<BeamBox> lightBox(const BlockGrid &grid, double darkLevel);

// The stripes found: the offsets of the lines crossing the beam's box.
struct Stripes
{
    StripeDirection direction = StripeDirection::None;
    int first = 0;               // line of offsets[0]
    std::vector<double> offsets; // code values above the dark level along the whole line
};

// Looks for stripes through the beam's box: the level of each column crossing the box, far
// above and below it, against a smooth (quadratic) dark level fitted to the columns on both sides
// of the box; the same for rows left and right of it. Where the columns (or the rows, whichever
// stand out more) carry a stripe that stands clearly out of the noise (`noise`: the pixel noise)
// and out of the column-to-column scatter of the neighbours, returns each crossing line's offset;
// else direction None.
Stripes findStripes(const float *values, int width, int height, const BeamBox &beam, double noise);

// Subtracts the stripes' offsets along their whole lines.
void subtractStripes(std::vector<float> &values, int width, int height, const Stripes &stripes);

} // namespace lumetra::beam::detail
