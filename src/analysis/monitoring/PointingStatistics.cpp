#include "analysis/monitoring/PointingStatistics.h"

#include <cmath>

namespace lumetra::monitoring {

namespace {

constexpr double Pi = 3.14159265358979323846;

// Standard deviation of `q` about its least-squares line against time.
double residualSd(const RunningMoments &m, RunningMoments::Quantity q)
{
    if (m.count() < 3)
        return 0.0;
    const double ctt = m.comoment(RunningMoments::T, RunningMoments::T);
    const double cqq = m.comoment(q, q);
    const double ctq = m.comoment(RunningMoments::T, q);
    const double rss = ctt > 0 ? cqq - ctq * ctq / ctt : cqq;
    // Two parameters fitted: n - 2 degrees of freedom.
    return std::sqrt(std::max(0.0, rss) / double(m.count() - 2));
}

} // namespace

PointingStatistics PointingStatistics::of(const RunningMoments &m)
{
    using Q = RunningMoments;
    PointingStatistics s;
    s.count = m.count();
    if (s.count == 0)
        return s;
    s.durationS = m.maximum(Q::T) - m.minimum(Q::T);
    s.meanX = m.mean(Q::Cx);
    s.meanY = m.mean(Q::Cy);
    const double vx = m.covariance(Q::Cx, Q::Cx), vy = m.covariance(Q::Cy, Q::Cy), vxy = m.covariance(Q::Cx, Q::Cy);
    s.sdX = std::sqrt(vx);
    s.sdY = std::sqrt(vy);
    s.ptpX = m.maximum(Q::Cx) - m.minimum(Q::Cx);
    s.ptpY = m.maximum(Q::Cy) - m.minimum(Q::Cy);

    // Principal axes of the scatter: eigenvalues of the covariance matrix.
    const double phi = 0.5 * std::atan2(2.0 * vxy, vx - vy);
    s.azimuthDeg = phi * 180.0 / Pi;
    const double half = 0.5 * (vx + vy);
    const double root = std::sqrt(0.25 * (vx - vy) * (vx - vy) + vxy * vxy);
    s.sdU = std::sqrt(std::max(0.0, half + root));
    s.sdV = std::sqrt(std::max(0.0, half - root));
    s.stabilityU = 2.0 * s.sdU;
    s.stabilityV = 2.0 * s.sdV;
    s.stability = 2.0 * std::sqrt(vx + vy);

    s.meanDx = m.mean(Q::Dx);
    s.meanDy = m.mean(Q::Dy);
    s.relSdDx = s.meanDx > 0 ? std::sqrt(m.covariance(Q::Dx, Q::Dx)) / s.meanDx : 0.0;
    s.relSdDy = s.meanDy > 0 ? std::sqrt(m.covariance(Q::Dy, Q::Dy)) / s.meanDy : 0.0;

    const double ctt = m.comoment(Q::T, Q::T);
    if (ctt > 0) {
        s.driftX = m.comoment(Q::T, Q::Cx) / ctt * 60.0;
        s.driftY = m.comoment(Q::T, Q::Cy) / ctt * 60.0;
    }
    s.residualSdX = residualSd(m, Q::Cx);
    s.residualSdY = residualSd(m, Q::Cy);
    return s;
}

std::optional<double> angularMicroradians(double lengthUm, const AngularReference &reference)
{
    if (!(reference.distanceMm > 0))
        return std::nullopt;
    // µm / mm is a milliradian.
    return lengthUm / reference.distanceMm * 1000.0;
}

} // namespace lumetra::monitoring
