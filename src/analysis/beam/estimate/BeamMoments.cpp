#include "analysis/beam/estimate/BeamMoments.h"

#include "analysis/WideKernel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lumetra::beam::detail {

namespace {

constexpr double Slack = 1e-9; // a centre exactly on the rectangle's edge counts as inside

// Keeps [lo, hi] to the offsets dx with bound_lo <= k dx + m <= bound_hi.
bool limit(double k, double m, double bound, double &lo, double &hi)
{
    if (std::abs(k) < 1e-12)
        return std::abs(m) <= bound + Slack;
    double a = (-bound - m) / k;
    double b = (bound - m) / k;
    if (a > b)
        std::swap(a, b);
    lo = std::max(lo, a);
    hi = std::min(hi, b);
    return lo <= hi;
}

} // namespace

void rowRange(const TurnedRect *r, int height, int &first, int &last)
{
    first = 0;
    last = height - 1;
    if (!r)
        return;
    const double extent = r->halfU * std::abs(std::sin(r->theta)) + r->halfV * std::abs(std::cos(r->theta));
    first = std::max(first, static_cast<int>(std::ceil(r->cy - extent - Slack)));
    last = std::min(last, static_cast<int>(std::floor(r->cy + extent + Slack)));
}

namespace {

// Sums of one row, about the reference column rx.
struct RowSums
{
    double s0 = 0, s1 = 0, s2 = 0;
};

struct Accumulator
{
    double rx = 0, ry = 0;
    double s0 = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    long long pixels = 0;

    void addRow(int y, const RowSums &r, int count)
    {
        const double dy = y - ry;
        s0 += r.s0;
        sx += r.s1;
        sy += dy * r.s0;
        sxx += r.s2;
        sxy += dy * r.s1;
        syy += dy * dy * r.s0;
        pixels += count;
    }

    Moments moments() const
    {
        Moments m;
        m.power = s0;
        m.pixels = pixels;
        if (!(s0 > 0))
            return m;
        const double mx = sx / s0, my = sy / s0;
        m.cx = rx + mx;
        m.cy = ry + my;
        m.sxx = centralMoment(sxx / s0, mx * mx);
        m.syy = centralMoment(syy / s0, my * my);
        m.sxy = sxy / s0 - mx * my;
        return m;
    }

    // A variance as the second moment about the reference less the squared offset of the mean.
    // Where the two agree to within the rounding of the row sums (a single lit pixel, a spot
    // narrower than a pixel) the variance is 0, not a rounding error of either sign; a clearly
    // negative one (weights that go negative, noise) is kept as it is.
    static double centralMoment(double aboutReference, double offsetSquared)
    {
        const double v = aboutReference - offsetSquared;
        return v < 0 && v >= -1e-6 * (std::abs(aboutReference) + offsetSquared) ? 0.0 : v;
    }
};

} // namespace

namespace {

// The offsets dx of row offset dy inside the ellipse (u / a)^2 + (v / b)^2 <= 1.
bool ellipseLimit(double c, double s, double a, double b, double dy, double &lo, double &hi)
{
    if (!(a > 0) || !(b > 0))
        return false;
    // u = dx c + dy s, v = -dx s + dy c: A dx^2 + B dx + C <= 0.
    const double ia = 1 / (a * a), ib = 1 / (b * b);
    const double qa = c * c * ia + s * s * ib;
    const double qb = 2 * dy * c * s * (ia - ib);
    const double qc = dy * dy * (s * s * ia + c * c * ib) - 1;
    const double discriminant = qb * qb - 4 * qa * qc;
    if (discriminant < 0)
        return false;
    const double root = std::sqrt(discriminant);
    lo = (-qb - root) / (2 * qa);
    hi = (-qb + root) / (2 * qa);
    return true;
}

} // namespace

RowSpans::RowSpans(const TurnedRect &r, int width) : m_r(r), m_c(std::cos(r.theta)), m_s(std::sin(r.theta)), m_width(width)
{
}

void RowSpans::at(int y, int &first, int &last) const
{
    const TurnedRect &r = m_r;
    const double c = m_c, s = m_s;
    const double dy = y - r.cy;
    double lo = -1e300, hi = 1e300;
    // u = dx c + dy s within halfU; v = -dx s + dy c within halfV.
    const bool inside = r.inscribedEllipse ? ellipseLimit(c, s, r.halfU, r.halfV, dy, lo, hi)
                                           : limit(c, dy * s, r.halfU, lo, hi) && limit(-s, dy * c, r.halfV, lo, hi);
    if (!inside) {
        first = 1;
        last = 0;
        return;
    }
    first = std::max(0, static_cast<int>(std::ceil(std::max(r.cx + lo - Slack, -1.0))));
    last = std::min(m_width - 1, static_cast<int>(std::floor(std::min(r.cx + hi + Slack, double(m_width)))));
}

void rowSpan(const TurnedRect &r, int y, int width, int &first, int &last)
{
    RowSpans(r, width).at(y, first, last);
}

namespace {

// Eight floats side by side (the compiler's generic vectors: AVX where the processor has it).
typedef float Floats __attribute__((vector_size(32)));

// A row's sums in eight float lanes (a row is short enough for float sums), written to s: s[0..7]
// the weights, s[8..15] dx times the weights, s[16..23] dx squared times them, dx = x - rx; eight
// pixels at a time, the last pixels in the first lane. The weights: v - p where that exceeds q,
// else 0 (Clipped); v - (p + q x) (a plane). The kernels built from it only add and multiply,
// never fused (no AVX-512 build): every processor gives the same sums.
template <bool Clipped>
[[gnu::always_inline]] inline void rowLanes(const float *row, int x0, int x1, float rx, float p, float q, float *s)
{
    Floats s0 = {}, s1 = {}, s2 = {};
    Floats xs = {0, 1, 2, 3, 4, 5, 6, 7};
    xs += static_cast<float>(x0);
    int x = x0;
    for (; x + 8 <= x1 + 1; x += 8, xs += 8) {
        Floats v;
        std::memcpy(&v, row + x, sizeof v);
        Floats w;
        if constexpr (Clipped) {
            const Floats e = v - p;
            w = e > q ? e : Floats{};
        } else {
            w = v - (p + q * xs);
        }
        const Floats dx = xs - rx;
        s0 += w;
        s1 += dx * w;
        s2 += dx * dx * w;
    }
    for (; x <= x1; ++x) {
        const float at = static_cast<float>(x);
        float w;
        if constexpr (Clipped) {
            const float e = row[x] - p;
            w = e > q ? e : 0.0f;
        } else {
            w = row[x] - (p + q * at);
        }
        const float dx = at - rx;
        s0[0] += w;
        s1[0] += dx * w;
        s2[0] += dx * dx * w;
    }
    std::memcpy(s, &s0, sizeof s0);
    std::memcpy(s + 8, &s1, sizeof s1);
    std::memcpy(s + 16, &s2, sizeof s2);
}

LUMETRA_WIDE_UNFUSED_KERNEL
void clippedRowSums(const float *row, int x0, int x1, float rx, float level, float threshold, float *s)
{
    rowLanes<true>(row, x0, x1, rx, level, threshold, s);
}

LUMETRA_WIDE_UNFUSED_KERNEL
void planeRowSums(const float *row, int x0, int x1, float rx, float level0, float b, float *s)
{
    rowLanes<false>(row, x0, x1, rx, level0, b, s);
}

// Moments of the weights over the pixels of area (all when null), summed about the pixel
// (rx, ry); rowSums(y, row, x0, x1, rx, s) writes the lanes of a row's pixels x0..x1 to s. The
// second moments keep their precision when that pixel lies near the centroid: the variance is then
// not the small difference of two large numbers.
template <typename RowSumsOf>
Moments sumMomentsAbout(const FrameView &f, const TurnedRect *area, double rx, double ry, RowSumsOf rowSums)
{
    Accumulator acc;
    acc.rx = rx;
    acc.ry = ry;
    int y0, y1;
    rowRange(area, f.height, y0, y1);
    const RowSpans spans(area ? *area : TurnedRect{}, f.width);
    for (int y = y0; y <= y1; ++y) {
        int x0 = 0, x1 = f.width - 1;
        if (area)
            spans.at(y, x0, x1);
        if (x0 > x1)
            continue;
        const float *row = f.values + std::size_t(y) * std::size_t(f.width);
        float s[24] = {};
        rowSums(y, row, x0, x1, static_cast<float>(acc.rx), s);
        RowSums r;
        for (int k = 0; k < 8; ++k) {
            r.s0 += s[k];
            r.s1 += s[8 + k];
            r.s2 += s[16 + k];
        }
        acc.addRow(y, r, x1 - x0 + 1);
    }
    return acc.moments();
}

// The moments about the pixel nearest the centroid. A rectangle is centred on the latest
// centroid already; over the whole frame a first pass finds the centroid, wherever in the frame
// a (small) spot lies.
template <typename RowSumsOf>
Moments sumMoments(const FrameView &f, const TurnedRect *area, RowSumsOf rowSums)
{
    if (area)
        return sumMomentsAbout(f, area, std::round(area->cx), std::round(area->cy), rowSums);
    const Moments rough =
        sumMomentsAbout(f, nullptr, std::round((f.width - 1) / 2.0), std::round((f.height - 1) / 2.0), rowSums);
    if (!(rough.power > 0))
        return rough;
    return sumMomentsAbout(f, nullptr, std::round(rough.cx), std::round(rough.cy), rowSums);
}

} // namespace

Moments clippedMoments(const FrameView &f, double level, double threshold, const TurnedRect *area)
{
    const float lvl = static_cast<float>(level);
    const float thr = static_cast<float>(threshold);
    return sumMoments(f, area, [lvl, thr](int, const float *row, int x0, int x1, float rx, float *s) {
        clippedRowSums(row, x0, x1, rx, lvl, thr, s);
    });
}

Moments planeMoments(const FrameView &f, const Plane &plane, const TurnedRect &area)
{
    return sumMoments(f, &area, [&plane](int y, const float *row, int x0, int x1, float rx, float *s) {
        // The plane along the row: level0 + b x.
        const auto level0 = static_cast<float>(plane.a + plane.c * (y - plane.y0) - plane.b * plane.x0);
        planeRowSums(row, x0, x1, rx, level0, static_cast<float>(plane.b), s);
    });
}

namespace {

// Normal equations of the plane fit, about (x0, y0).
struct PlaneSums
{
    double n = 0, x = 0, y = 0, xx = 0, xy = 0, yy = 0, v = 0, xv = 0, yv = 0, vv = 0;

};

// Solves the 3 x 3 normal equations; a band too thin to show a slope gets a level only.
// rms receives the residual deviation of the fit.
bool solvePlane(const PlaneSums &s, Plane &p, double &rms)
{
    if (s.n < 3)
        return false;
    const double m[3][3] = {{s.n, s.x, s.y}, {s.x, s.xx, s.xy}, {s.y, s.xy, s.yy}};
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    const double scale = s.n * s.xx * s.yy;
    if (!(std::abs(det) > 1e-9 * std::abs(scale)) || scale == 0) {
        p.a = s.v / s.n;
        p.b = p.c = 0;
        rms = std::sqrt(std::max(0.0, s.vv / s.n - p.a * p.a));
        return true;
    }
    const double r[3] = {s.v, s.xv, s.yv};
    double sol[3];
    for (int k = 0; k < 3; ++k) {
        double t[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                t[i][j] = j == k ? r[i] : m[i][j];
        sol[k] = (t[0][0] * (t[1][1] * t[2][2] - t[1][2] * t[2][1]) - t[0][1] * (t[1][0] * t[2][2] - t[1][2] * t[2][0]) +
                  t[0][2] * (t[1][0] * t[2][1] - t[1][1] * t[2][0])) /
                 det;
    }
    p.a = sol[0];
    p.b = sol[1];
    p.c = sol[2];
    const double residual = s.vv - (sol[0] * s.v + sol[1] * s.xv + sol[2] * s.yv);
    rms = std::sqrt(std::max(0.0, residual / s.n));
    return true;
}

// A row's band sums in four double lanes, written to s: n, x, xx, v, xv and vv at s[0..3],
// s[4..7] ... s[20..23], x counted from px0; with Reject, only the pixels within `limit` of the
// line level0 + b x.
// Four doubles side by side (the compiler's generic vectors: AVX where the processor has it).
typedef double Lanes __attribute__((vector_size(32)));

template <bool Reject>
// Inlined into each build of bandRowSums, so that it takes that build's vectors.
[[gnu::always_inline]] inline void bandLanes(const float *row, int x0, int x1, double px0, double level0, double b, double limit, double *s)
{
    Lanes n = {}, sx = {}, sxx = {}, sv = {}, sxv = {}, svv = {};
    const Lanes one = {1, 1, 1, 1};
    Lanes xs = {double(x0), double(x0) + 1, double(x0) + 2, double(x0) + 3};
    int x = x0;
    for (; x + 4 <= x1 + 1; x += 4, xs += 4) {
        const Lanes v = {row[x], row[x + 1], row[x + 2], row[x + 3]};
        Lanes keep = one;
        if (Reject) {
            Lanes d = v - (level0 + b * xs);
            d = d < 0 ? -d : d;
            keep = d <= limit ? one : Lanes{};
        }
        const Lanes dx = (xs - px0) * keep;
        const Lanes kv = v * keep;
        n += keep;
        sx += dx;
        sxx += dx * dx;
        sv += kv;
        sxv += dx * kv;
        svv += kv * v;
    }
    // The last pixels in the first lane.
    for (; x <= x1; ++x) {
        const double v = row[x];
        const double keep = !Reject || std::abs(v - (level0 + b * x)) <= limit ? 1.0 : 0.0;
        const double dx = (x - px0) * keep;
        const double kv = v * keep;
        n[0] += keep;
        sx[0] += dx;
        sxx[0] += dx * dx;
        sv[0] += kv;
        sxv[0] += dx * kv;
        svv[0] += kv * v;
    }
    for (int k = 0; k < 4; ++k) {
        s[k] = n[k];
        s[4 + k] = sx[k];
        s[8 + k] = sxx[k];
        s[12 + k] = sv[k];
        s[16 + k] = sxv[k];
        s[20 + k] = svv[k];
    }
}

LUMETRA_WIDE_UNFUSED_KERNEL
void bandRowSums(const float *row, int x0, int x1, double px0, double level0, double b, bool reject, double limit,
                 double *s)
{
    if (reject)
        bandLanes<true>(row, x0, x1, px0, level0, b, limit, s);
    else
        bandLanes<false>(row, x0, x1, px0, level0, b, limit, s);
}

// Adds the pixels x0..x1 of one row (picture row y) to the sums; after the first pass only those
// within `limit` of the previous plane p.
void addRowSegment(PlaneSums &sums, const float *row, int x0, int x1, int y, const Plane &p, bool reject,
                   double limit)
{
    if (x0 > x1)
        return;
    const double dy = y - p.y0;
    const double level0 = p.a + p.c * dy - p.b * p.x0; // the plane along the row: level0 + b x
    double lanes[24] = {};
    bandRowSums(row, x0, x1, p.x0, level0, p.b, reject, limit, lanes);
    double t[6];
    for (int i = 0; i < 6; ++i)
        t[i] = (lanes[4 * i] + lanes[4 * i + 1]) + (lanes[4 * i + 2] + lanes[4 * i + 3]);
    const double n = t[0], sx = t[1], sxx = t[2], sv = t[3], sxv = t[4], svv = t[5];
    sums.n += n;
    sums.x += sx;
    sums.y += n * dy;
    sums.xx += sxx;
    sums.xy += sx * dy;
    sums.yy += n * dy * dy;
    sums.v += sv;
    sums.xv += sxv;
    sums.yv += sv * dy;
    sums.vv += svv;
}

} // namespace

BlockGrid blockAverages(const FrameView &f)
{
    BlockGrid g;
    g.block = std::min(f.width, f.height) >= 64 ? 4 : 1;
    g.width = f.width / g.block;
    g.height = f.height / g.block;
    g.values.assign(std::size_t(g.width) * std::size_t(g.height), 0.0f);
    const float scale = 1.0f / float(g.block * g.block);
    for (int y = 0; y < g.height * g.block; ++y) {
        const float *row = f.values + std::size_t(y) * std::size_t(f.width);
        float *out = g.values.data() + std::size_t(y / g.block) * std::size_t(g.width);
        if (g.block == 4)
            for (int x = 0; x < g.width; ++x)
                out[x] += (row[4 * x] + row[4 * x + 1] + row[4 * x + 2] + row[4 * x + 3]) * scale;
        else
            for (int x = 0; x < g.width; ++x)
                out[x] += row[x];
    }
    return g;
}

BlockGrid halved(const float *values, int width, int height, int block, int stride)
{
    if (stride <= 0)
        stride = width;
    BlockGrid g;
    g.block = 2 * block;
    g.width = width / 2;
    g.height = height / 2;
    g.values.resize(std::size_t(g.width) * std::size_t(g.height));
    for (int y = 0; y < g.height; ++y) {
        const float *a = values + std::size_t(2 * y) * std::size_t(stride);
        halveRow(a, a + stride, g.width, g.values.data() + std::size_t(y) * std::size_t(g.width));
    }
    return g;
}

LUMETRA_WIDE_KERNEL
void halveRow(const float *a, const float *b, int width, float *out)
{
    for (int x = 0; x < width; ++x)
        out[x] = 0.25f * ((a[2 * x] + a[2 * x + 1]) + (b[2 * x] + b[2 * x + 1]));
}

bool fitBandPlane(const FrameView &f, const TurnedRect &outer, const TurnedRect &inner, Plane &plane)
{
    Plane p;
    p.x0 = std::round(outer.cx);
    p.y0 = std::round(outer.cy);
    double rms = 0;
    int y0, y1;
    rowRange(&outer, f.height, y0, y1);
    // A level and two slopes need no more than some 20000 pixels: large bands use every k-th row.
    const double bandPixels = 4 * (outer.halfU * outer.halfV - inner.halfU * inner.halfV);
    const int step = std::max(1, static_cast<int>(bandPixels / 20000.0));
    // The band's rows, worked out once for the three passes: outer span, inner span.
    struct BandRow
    {
        int y, x0, x1, i0, i1;
    };
    std::vector<BandRow> rows;
    const RowSpans outerSpans(outer, f.width), innerSpans(inner, f.width);
    for (int y = y0; y <= y1; y += step) {
        BandRow r{y, 0, 0, 0, 0};
        outerSpans.at(y, r.x0, r.x1);
        innerSpans.at(y, r.i0, r.i1);
        rows.push_back(r);
    }
    for (int pass = 0; pass < 3; ++pass) {
        PlaneSums sums;
        for (const auto &[y, x0, x1, i0, i1] : rows) {
            const float *row = f.values + std::size_t(y) * std::size_t(f.width);
            if (i0 > i1) {
                addRowSegment(sums, row, x0, x1, y, p, pass > 0, 3 * rms);
            } else {
                addRowSegment(sums, row, x0, std::min(x1, i0 - 1), y, p, pass > 0, 3 * rms);
                addRowSegment(sums, row, std::max(x0, i1 + 1), x1, y, p, pass > 0, 3 * rms);
            }
        }
        if (pass == 0 && sums.n < 12)
            return false;
        if (!solvePlane(sums, p, rms)) {
            if (pass == 0)
                return false;
            break; // too much left out: keep the previous fit
        }
        if (rms == 0)
            break;
    }
    plane = p;
    return true;
}

} // namespace lumetra::beam::detail
