#include "support/IsoBeamOracle.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace lumetra::test {

namespace {

struct Second
{
    double power = 0, cx = 0, cy = 0, xx = 0, yy = 0, xy = 0;
};

// Moments of weight(x, y) over the frame: centroid first, then the central moments about it.
Second moments(const beam::BeamFrame &f, const std::function<double(int, int)> &weight)
{
    Second m;
    double sx = 0, sy = 0;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const double w = weight(x, y);
            m.power += w;
            sx += w * x;
            sy += w * y;
        }
    if (!(m.power > 0))
        return m;
    m.cx = sx / m.power;
    m.cy = sy / m.power;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const double w = weight(x, y);
            if (w == 0)
                continue;
            const double dx = x - m.cx, dy = y - m.cy;
            m.xx += w * dx * dx;
            m.yy += w * dy * dy;
            m.xy += w * dx * dy;
        }
    m.xx /= m.power;
    m.yy /= m.power;
    m.xy /= m.power;
    return m;
}

struct Ellipse
{
    double cx, cy, dMajor, dMinor, dX, dY, theta;
};

Ellipse ellipseOf(const Second &m)
{
    const double root = std::sqrt((m.xx - m.yy) * (m.xx - m.yy) + 4 * m.xy * m.xy);
    return {m.cx,
            m.cy,
            2 * std::sqrt(2.0) * std::sqrt(m.xx + m.yy + root),
            2 * std::sqrt(2.0) * std::sqrt(std::max(0.0, m.xx + m.yy - root)),
            4 * std::sqrt(m.xx),
            4 * std::sqrt(m.yy),
            0.5 * std::atan2(2 * m.xy, m.xx - m.yy)};
}

} // namespace

IsoOracleResult isoTextbookMeasure(const beam::BeamFrame &f, double cornerFraction, double noiseFactor,
                                   double maskDiameters)
{
    IsoOracleResult r;
    const auto side = [&](int n) { return std::clamp(int(std::floor(n * cornerFraction)), 1, std::max(1, n / 2)); };
    const int cw = side(f.width), ch = side(f.height);
    double sum = 0, squares = 0;
    long n = 0;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const bool corner = (x < cw || x >= f.width - cw) && (y < ch || y >= f.height - ch);
            if (!corner)
                continue;
            sum += f.at(x, y);
            ++n;
        }
    r.background = sum / double(n);
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            if ((x < cw || x >= f.width - cw) && (y < ch || y >= f.height - ch))
                squares += (f.at(x, y) - r.background) * (f.at(x, y) - r.background);
    r.noise = std::sqrt(squares / double(n - 1));

    const double bg = r.background, threshold = noiseFactor * r.noise;
    const Second first = moments(f, [&](int x, int y) {
        const double e = f.at(x, y) - bg;
        return e > threshold ? e : 0.0;
    });
    if (!(first.power > 0))
        return r;
    r.found = true;
    Ellipse e = ellipseOf(first);
    for (r.iterations = 1; r.iterations <= 50; ++r.iterations) {
        // ISO 11146-1: a beam with an ellipticity of 0.87 or more is circular, of diameter
        // 2 sqrt(2) (sigma_x^2 + sigma_y^2)^(1/2); it has no principal axes.
        const bool circular = e.dMinor / e.dMajor >= 0.87;
        const double circle = std::sqrt((e.dMajor * e.dMajor + e.dMinor * e.dMinor) / 2);
        const double hu = std::max(1.0, maskDiameters / 2 * (circular ? circle : e.dMajor));
        const double hv = std::max(1.0, maskDiameters / 2 * (circular ? circle : e.dMinor));
        const double angle = circular ? 0.0 : e.theta;
        const double c = std::cos(angle), s = std::sin(angle);
        const Second m = moments(f, [&](int x, int y) {
            const double u = (x - e.cx) * c + (y - e.cy) * s, v = -(x - e.cx) * s + (y - e.cy) * c;
            return std::abs(u) <= hu + 1e-9 && std::abs(v) <= hv + 1e-9 ? f.at(x, y) - bg : 0.0;
        });
        if (!(m.power > 0) || m.xx < 0 || m.yy < 0)
            break;
        const Ellipse next = ellipseOf(m);
        const double tolerance = std::max(0.05, 1e-3 * next.dMajor);
        const bool settled = std::abs(next.cx - e.cx) <= tolerance && std::abs(next.cy - e.cy) <= tolerance &&
                             std::abs(next.dMajor - e.dMajor) <= tolerance &&
                             std::abs(next.dMinor - e.dMinor) <= tolerance;
        e = next;
        if (settled) {
            r.converged = true;
            break;
        }
    }
    r.iterations = std::min(r.iterations, 50);
    r.cx = e.cx;
    r.cy = e.cy;
    r.dMajor = e.dMajor;
    r.dMinor = e.dMinor;
    r.dX = e.dX;
    r.dY = e.dY;
    double phi = -e.theta * 180 / std::numbers::pi;
    if (phi <= -90)
        phi += 180;
    r.phiDeg = phi;
    return r;
}

} // namespace lumetra::test
