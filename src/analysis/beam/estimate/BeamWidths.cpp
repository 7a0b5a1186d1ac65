#include "analysis/beam/estimate/BeamWidths.h"

#include "analysis/beam/estimate/IntegrationArea.h"
#include "analysis/beam/estimate/PowerDistribution.h"
#include "analysis/WideKernel.h"

#include <cmath>
#include <vector>

namespace lumetra::beam {

namespace {

constexpr double PowerInCircle = 0.865;
const double InverseESquared = std::exp(-2.0); // 13.5 %

// The distances from the centre of the pixels x0 - cx, x0 + 1 - cx ... of a row dy below it.
LUMETRA_WIDE_UNFUSED_KERNEL
void radiiAlongRow(int x0, double cx, double dy, std::size_t n, double *radii)
{
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = double(x0 + int(i)) - cx;
        radii[i] = std::sqrt(dx * dx + dy * dy);
    }
}

std::optional<double> knifeWidth(const PowerDistribution &d)
{
    const auto low = d.reach(0.10, true);
    const auto high = d.reach(0.10, false);
    if (!low || !high || !(*high > *low))
        return std::nullopt;
    return KnifeEdgeFactor * (*high - *low);
}

// A row of the area as the distributions take it: the coordinates of its pixels along the two
// axes, stepped from pixel to pixel, and its power summed along it.
struct RowWalk
{
    const float *e = nullptr;
    int first = 0; // frame column of e[0]
    std::size_t n = 0;
    double u = 0, v = 0, power = 0;
    double *us = nullptr, *vs = nullptr;
};

// The row from pixel `from` on.
void walk(RowWalk &r, std::size_t from, double ux, double uy)
{
    double u = r.u, v = r.v, power = r.power;
    for (std::size_t i = from; i < r.n; ++i, u += ux, v -= uy) {
        r.us[i] = u;
        r.vs[i] = v;
        power += r.e[i];
    }
    r.u = u;
    r.v = v;
    r.power = power;
}

// Two rows side by side: each row's chains of additions are its own, and interleaved neither
// waits on the other's.
void walkTwo(RowWalk &a, RowWalk &b, double ux, double uy)
{
    const std::size_t common = std::min(a.n, b.n);
    double ua = a.u, va = a.v, pa = a.power, ub = b.u, vb = b.v, pb = b.power;
    for (std::size_t i = 0; i < common; ++i, ua += ux, va -= uy, ub += ux, vb -= uy) {
        a.us[i] = ua;
        a.vs[i] = va;
        pa += a.e[i];
        b.us[i] = ub;
        b.vs[i] = vb;
        pb += b.e[i];
    }
    a.u = ua, a.v = va, a.power = pa;
    b.u = ub, b.v = vb, b.power = pb;
    walk(a, common, ux, uy);
    walk(b, common, ux, uy);
}

// d86 and the four knife-edge widths, from one pass over the area's pixels, two rows at a time.
void powerWidths(const IntegrationArea &a, BeamWidths &w)
{
    const double cx = a.cx(), cy = a.cy(), ux = a.ux(), uy = a.uy();
    const double reach = std::hypot(a.halfMajor(), a.halfMinor()) + 2;
    PowerDistribution radial(0, reach);
    PowerDistribution alongX(a.left() - cx - 1, a.left() + a.width() - cx + 1);
    PowerDistribution alongY(a.top() - cy - 1, a.top() + a.height() - cy + 1);
    PowerDistribution alongMajor(-reach, reach);
    PowerDistribution alongMinor(-reach, reach);
    std::vector<double> columns(std::size_t(a.width()), 0.0);
    // The rows' coordinates first, then each distribution takes a row at once.
    const std::size_t width = std::size_t(a.width());
    std::vector<double> radii(width), coordinates(4 * width);
    const int bottom = a.top() + a.height();
    for (int y = a.top(); y < bottom; y += 2) {
        RowWalk rows[2];
        for (int k = 0; k < 2 && y + k < bottom; ++k) {
            const int first = a.rowFirst(y + k), last = a.rowLast(y + k);
            if (first > last)
                continue;
            const double dy = y + k - cy;
            RowWalk &r = rows[k];
            r.first = first;
            r.n = std::size_t(last - first + 1);
            r.e = a.row(y + k) + (first - a.left());
            r.u = (first - cx) * ux + dy * uy;
            r.v = -(first - cx) * uy + dy * ux;
            r.us = coordinates.data() + std::size_t(2 * k) * width;
            r.vs = r.us + width;
        }
        if (rows[0].n > 0 && rows[1].n > 0) {
            walkTwo(rows[0], rows[1], ux, uy);
        } else {
            walk(rows[0], 0, ux, uy);
            walk(rows[1], 0, ux, uy);
        }
        for (int k = 0; k < 2 && y + k < bottom; ++k) {
            const RowWalk &r = rows[k];
            const double dy = y + k - cy;
            if (r.n > 0) {
                double *column = columns.data() + (r.first - a.left());
                for (std::size_t i = 0; i < r.n; ++i)
                    column[i] += r.e[i];
                radiiAlongRow(r.first, cx, dy, r.n, radii.data());
                PowerDistribution::addAll(radial, radii.data(), alongMajor, r.us, alongMinor, r.vs, r.e, r.n);
            }
            alongY.add(dy, r.power);
        }
    }
    for (int x = a.left(); x < a.left() + a.width(); ++x)
        alongX.add(x - cx, columns[std::size_t(x - a.left())]);
    if (const auto r = radial.reach(PowerInCircle))
        w.d86 = 2 * *r;
    w.knifeX = knifeWidth(alongX);
    w.knifeY = knifeWidth(alongY);
    w.knifeMajor = knifeWidth(alongMajor);
    w.knifeMinor = knifeWidth(alongMinor);
}

} // namespace

BeamWidths widthsOver(const IntegrationArea &area, const BeamResult &result)
{
    BeamWidths w;
    if (!area.valid() || !(area.power() > 0))
        return w;
    w.ux = area.ux();
    w.uy = area.uy();
    powerWidths(area, w);
    w.profileMajor = sampleAxisProfile(area, w.ux, w.uy, area.halfMajor(), result.dMinor);
    w.profileMinor = sampleAxisProfile(area, -w.uy, w.ux, area.halfMinor(), result.dMajor);
    w.clipMajor = clipWidth(w.profileMajor, InverseESquared);
    w.fwhmMajor = clipWidth(w.profileMajor, 0.5);
    w.clipMinor = clipWidth(w.profileMinor, InverseESquared);
    w.fwhmMinor = clipWidth(w.profileMinor, 0.5);
    w.gauss = fitGaussian(area, result.dMajor, result.dMinor);
    w.iso = flatTopFigures(area, result.dMinor);
    return w;
}

} // namespace lumetra::beam
