#include "support/PointingOracle.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace lumetra::test {

namespace {

double meanOf(const std::vector<double> &v)
{
    return std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
}

double sdOf(const std::vector<double> &v)
{
    const double m = meanOf(v);
    double s = 0;
    for (double a : v)
        s += (a - m) * (a - m);
    return std::sqrt(s / double(v.size() - 1));
}

// Slope and intercept of y on t by the normal equations in raw sums (times shifted to the first
// point, so the sums stay well conditioned).
std::pair<double, double> lineFit(const std::vector<double> &t, const std::vector<double> &y)
{
    const double n = double(t.size());
    double st = 0, sy = 0, stt = 0, sty = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double ti = t[i] - t[0];
        st += ti;
        sy += y[i];
        stt += ti * ti;
        sty += ti * y[i];
    }
    const double slope = (n * sty - st * sy) / (n * stt - st * st);
    const double intercept = (sy - slope * st) / n - slope * t[0];
    return {slope, intercept};
}

} // namespace

PointingOracle pointingOracle(const std::vector<TrackPoint> &points)
{
    std::vector<double> t, x, y, dx;
    for (const TrackPoint &p : points) {
        t.push_back(p.t);
        x.push_back(p.x);
        y.push_back(p.y);
        dx.push_back(p.dx);
    }
    PointingOracle o;
    o.meanX = meanOf(x);
    o.meanY = meanOf(y);
    o.sdX = sdOf(x);
    o.sdY = sdOf(y);
    o.ptpX = *std::max_element(x.begin(), x.end()) - *std::min_element(x.begin(), x.end());
    o.ptpY = *std::max_element(y.begin(), y.end()) - *std::min_element(y.begin(), y.end());

    // Search the rotation that decorrelates u and v (bisection on the covariance's sign change),
    // then take the spread of the rotated coordinates directly.
    const auto rotated = [&](double phi, std::vector<double> &u, std::vector<double> &v) {
        u.clear();
        v.clear();
        for (std::size_t i = 0; i < x.size(); ++i) {
            const double ex = x[i] - o.meanX, ey = y[i] - o.meanY;
            u.push_back(ex * std::cos(phi) + ey * std::sin(phi));
            v.push_back(-ex * std::sin(phi) + ey * std::cos(phi));
        }
    };
    const auto covUV = [&](double phi) {
        std::vector<double> u, v;
        rotated(phi, u, v);
        double c = 0;
        for (std::size_t i = 0; i < u.size(); ++i)
            c += u[i] * v[i];
        return c;
    };
    const double pi = std::acos(-1.0);
    double lo = -pi / 4, hi = pi / 4;
    // cov(u, v) runs through zero exactly once on a quarter turn; the root with var(u) >= var(v)
    // is the azimuth, the other one a quarter turn away.
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        if ((covUV(lo) > 0) == (covUV(mid) > 0))
            lo = mid;
        else
            hi = mid;
    }
    double phi = 0.5 * (lo + hi);
    std::vector<double> u, v;
    rotated(phi, u, v);
    if (sdOf(u) < sdOf(v)) {
        phi += phi > 0 ? -pi / 2 : pi / 2;
        rotated(phi, u, v);
    }
    o.azimuthDeg = phi * 180.0 / pi;
    o.sdU = sdOf(u);
    o.sdV = sdOf(v);
    o.stabilityU = 2 * o.sdU;
    o.stabilityV = 2 * o.sdV;
    o.stability = 2 * std::sqrt(o.sdU * o.sdU + o.sdV * o.sdV);

    o.meanDx = meanOf(dx);
    o.relSdDx = sdOf(dx) / o.meanDx;
    const auto [sx, bx] = lineFit(t, x);
    o.driftX = sx * 60;
    o.driftY = lineFit(t, y).first * 60;
    double rss = 0;
    for (std::size_t i = 0; i < t.size(); ++i)
        rss += std::pow(x[i] - (sx * t[i] + bx), 2);
    o.residualSdX = std::sqrt(rss / double(t.size() - 2));
    return o;
}

} // namespace lumetra::test
