#pragma once

#include "types/UninitialisedAllocator.h"

#include <cstddef>
#include <vector>

// The sums behind the beam measurement: first and second moments of a frame inside a turned
// rectangle, with the dark level either subtracted and clipped at a threshold or given as a
// plane, and the least-squares plane of a rectangular band. Values are read straight from the
// frame's float samples; nothing is copied.
namespace lumetra::beam::detail {

struct FrameView
{
    const float *values = nullptr;
    int width = 0;
    int height = 0;
    float at(int x, int y) const { return values[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// A rectangle centred on (cx, cy) whose u side (half length halfU) makes the angle theta
// (radians, picture rows: y down) with the x axis. A pixel belongs to it when its centre does.
struct TurnedRect
{
    double cx = 0, cy = 0;
    double halfU = 0, halfV = 0;
    double theta = 0;
    bool inscribedEllipse = false; // the area is the ellipse with semi-axes halfU, halfV instead
};

// Columns [first, last] of row y whose centres lie inside the rectangle (or its ellipse); empty
// when first > last.
void rowSpan(const TurnedRect &r, int y, int width, int &first, int &last);

// rowSpan for row after row of one rectangle, its angle's sine and cosine taken once.
class RowSpans
{
public:
    RowSpans(const TurnedRect &r, int width);
    void at(int y, int &first, int &last) const;

private:
    TurnedRect m_r;
    double m_c, m_s;
    int m_width;
};

// Rows [first, last] of a frame of `height` rows that the rectangle (null: the frame) touches.
void rowRange(const TurnedRect *r, int height, int &first, int &last);

// Dark level as a plane a + b (x - x0) + c (y - y0).
struct Plane
{
    double a = 0, b = 0, c = 0, x0 = 0, y0 = 0;
    double at(double x, double y) const { return a + b * (x - x0) + c * (y - y0); }
};

// Power, centroid and central second moments (pixels, picture rows) of a weight distribution.
struct Moments
{
    double power = 0;
    double cx = 0, cy = 0;
    double sxx = 0, syy = 0, sxy = 0;
    long long pixels = 0; // pixels summed
    // Positive power and variances that are not negative: a variance within rounding of 0 is 0
    // (see sumMoments), so only weights that go negative make one so.
    bool usable() const { return power > 0 && sxx >= 0 && syy >= 0; }
};

// Weights max(v - level, 0) where v - level > threshold, else 0; whole frame when area is null.
Moments clippedMoments(const FrameView &f, double level, double threshold, const TurnedRect *area);

// Weights v - plane(x, y), unclipped, inside area.
Moments planeMoments(const FrameView &f, const Plane &plane, const TurnedRect &area);

// The frame averaged in blocks of 4 x 4 pixels (frames under 64 pixels a side: 1 x 1); a partial
// block at the right or bottom edge is left out.

struct BlockGrid
{
    int block = 1;
    int width = 0, height = 0;
    Samples values;
    FrameView view() const { return FrameView{values.data(), width, height}; }
};
BlockGrid blockAverages(const FrameView &f);

// The grid averaged again in blocks of 2 x 2 of its cells (a partial block left out); rows lie
// `stride` values apart (0: width).
BlockGrid halved(const float *values, int width, int height, int block, int stride = 0);

// One row of such a halving: out[x] is the mean of a[2x], a[2x + 1], b[2x] and b[2x + 1].
void halveRow(const float *a, const float *b, int width, float *out);

// Least-squares plane of the pixels inside outer but not inside inner; pixels further than
// three residual deviations from the first fit are left out of a second and third. Returns
// false when the band holds too few pixels to fit a plane.
bool fitBandPlane(const FrameView &f, const TurnedRect &outer, const TurnedRect &inner, Plane &plane);

} // namespace lumetra::beam::detail
