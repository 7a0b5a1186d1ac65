#include "analysis/beam/estimate/GaussianFit.h"

#include "analysis/beam/estimate/IntegrationArea.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace lumetra::beam {

namespace {

constexpr int MaxIterations = 100;
constexpr int MinPoints = 12;
constexpr double BlocksPerDeviation = 4; // block side: the minor deviation over this
constexpr double MaxWidthOverArea = 2;   // widest fit believed, in diagonals of the area

// Parameters: amplitude, offset, centre x, y, and the inverse covariance [[a, b], [b, c]].
constexpr int N = 7;
using Vector = std::array<double, N>;
using Matrix = std::array<Vector, N>;
enum { Amp, Off, X0, Y0, Qa, Qb, Qc };

struct Point
{
    double x, y, v;
};

bool positiveDefinite(const Vector &p)
{
    return p[Qa] > 0 && p[Qc] > 0 && p[Qa] * p[Qc] - p[Qb] * p[Qb] > 0;
}

// Solves m d = r (Gaussian elimination, partial pivoting); false when singular.
bool solve(Matrix m, Vector r, Vector &d)
{
    for (int col = 0; col < N; ++col) {
        int pivot = col;
        for (int row = col + 1; row < N; ++row)
            if (std::abs(m[row][col]) > std::abs(m[pivot][col]))
                pivot = row;
        if (!(std::abs(m[pivot][col]) > 0))
            return false;
        std::swap(m[col], m[pivot]);
        std::swap(r[col], r[pivot]);
        for (int row = col + 1; row < N; ++row) {
            const double f = m[row][col] / m[col][col];
            for (int k = col; k < N; ++k)
                m[row][k] -= f * m[col][k];
            r[row] -= f * r[col];
        }
    }
    for (int row = N - 1; row >= 0; --row) {
        double s = r[row];
        for (int k = row + 1; k < N; ++k)
            s -= m[row][k] * d[k];
        d[row] = s / m[row][row];
    }
    return std::all_of(d.begin(), d.end(), [](double v) { return std::isfinite(v); });
}

// The unit Gaussian exp(-q/2) of parameters p at a point.
double unitGaussian(const Point &pt, const Vector &p)
{
    const double dx = pt.x - p[X0], dy = pt.y - p[Y0];
    const double q = p[Qa] * dx * dx + 2 * p[Qb] * dx * dy + p[Qc] * dy * dy;
    return std::exp(-0.5 * q);
}

// The sum of squared residuals at p; `unit` takes each point's unit Gaussian for the normal
// equations at p, should the step to p be taken.
double sumOfSquares(const std::vector<Point> &points, const Vector &p, std::vector<double> &unit)
{
    unit.resize(points.size());
    double sse = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point &pt = points[i];
        unit[i] = unitGaussian(pt, p);
        const double r = pt.v - (p[Off] + p[Amp] * unit[i]);
        sse += r * r;
    }
    return sse;
}

// The normal equations J'J and J'r of the residuals at p, whose unit Gaussians sumOfSquares gave.
void normalEquations(const std::vector<Point> &points, const Vector &p, const std::vector<double> &unit, Matrix &jtj,
                     Vector &jtr)
{
    for (auto &row : jtj)
        row.fill(0.0);
    jtr.fill(0.0);
    for (std::size_t n = 0; n < points.size(); ++n) {
        const Point &pt = points[n];
        const double dx = pt.x - p[X0], dy = pt.y - p[Y0];
        const double g = unit[n];
        const double ag = p[Amp] * g;
        const Vector j = {g,
                          1.0,
                          ag * (p[Qa] * dx + p[Qb] * dy),
                          ag * (p[Qb] * dx + p[Qc] * dy),
                          -0.5 * ag * dx * dx,
                          -ag * dx * dy,
                          -0.5 * ag * dy * dy};
        const double r = pt.v - (p[Off] + ag);
        for (int i = 0; i < N; ++i) {
            jtr[i] += j[i] * r;
            for (int k = 0; k <= i; ++k)
                jtj[i][k] += j[i] * j[k];
        }
    }
    for (int i = 0; i < N; ++i)
        for (int k = i + 1; k < N; ++k)
            jtj[i][k] = jtj[k][i];
}

// The area's corrected values averaged in blocks of `side` pixels whose centre lies inside it.
std::vector<Point> blockMeans(const IntegrationArea &area, int side)
{
    std::vector<Point> points;
    const int bw = area.width() / side, bh = area.height() / side;
    const double centre = (side - 1) / 2.0;
    for (int by = 0; by < bh; ++by)
        for (int bx = 0; bx < bw; ++bx) {
            const int x0 = area.left() + bx * side, y0 = area.top() + by * side;
            const double cx = x0 + centre, cy = y0 + centre;
            if (!area.inside(static_cast<int>(std::lround(cx)), static_cast<int>(std::lround(cy))))
                continue;
            double sum = 0;
            for (int y = y0; y < y0 + side; ++y)
                for (int x = x0; x < x0 + side; ++x)
                    sum += area.value(x, y);
            points.push_back({cx, cy, sum / (double(side) * side)});
        }
    return points;
}

} // namespace

double GaussianFit::at(double px, double py) const
{
    const double theta = -phiDeg * std::numbers::pi / 180.0;
    const double dx = px - x, dy = py - y;
    const double u = dx * std::cos(theta) + dy * std::sin(theta);
    const double v = -dx * std::sin(theta) + dy * std::cos(theta);
    const double wu = major / 2, wv = minor / 2;
    if (!(wu > 0 && wv > 0))
        return offset;
    return offset + amplitude * std::exp(-2 * (u * u / (wu * wu) + v * v / (wv * wv)));
}

std::optional<GaussianFit> fitGaussian(const IntegrationArea &area, double dMajor, double dMinor)
{
    if (!area.valid() || !(dMajor > 0 && dMinor > 0))
        return std::nullopt;
    const int side = std::max(1, static_cast<int>(std::floor(dMinor / 4 / BlocksPerDeviation)));
    const std::vector<Point> points = blockMeans(area, side);
    if (points.size() < std::size_t(MinPoints))
        return std::nullopt;
    const double blockVariance = (double(side) * side - 1) / 12.0;

    // Start: the D4σ ellipse, widened by the block mean, topped at the highest block.
    const double su2 = dMajor * dMajor / 16 + blockVariance, sv2 = dMinor * dMinor / 16 + blockVariance;
    const double ux = area.ux(), uy = area.uy();
    const double sxx = su2 * ux * ux + sv2 * uy * uy;
    const double syy = su2 * uy * uy + sv2 * ux * ux;
    const double sxy = (su2 - sv2) * ux * uy;
    const double det = sxx * syy - sxy * sxy;
    double top = points.front().v;
    for (const Point &pt : points)
        top = std::max(top, pt.v);
    Vector p = {top, 0.0, area.cx(), area.cy(), syy / det, -sxy / det, sxx / det};

    std::vector<double> unit, nextUnit;
    double sse = sumOfSquares(points, p, unit);
    double lambda = 1e-3;
    GaussianFit fit;
    Matrix jtj;
    Vector jtr;
    normalEquations(points, p, unit, jtj, jtr);
    while (fit.iterations < MaxIterations && lambda < 1e12) {
        Matrix damped = jtj;
        for (int i = 0; i < N; ++i)
            damped[i][i] += lambda * std::max(jtj[i][i], 1e-300);
        Vector step{};
        if (!solve(damped, jtr, step)) {
            lambda *= 10;
            continue;
        }
        Vector next = p;
        for (int i = 0; i < N; ++i)
            next[i] += step[i];
        const double nextSse =
            positiveDefinite(next) ? sumOfSquares(points, next, nextUnit) : std::numeric_limits<double>::infinity();
        if (!(nextSse < sse)) {
            lambda *= 10;
            continue;
        }
        ++fit.iterations;
        const bool small = sse - nextSse <= 1e-10 * sse;
        p = next;
        sse = nextSse;
        unit.swap(nextUnit);
        lambda = std::max(lambda / 10, 1e-12);
        if (small) {
            fit.converged = true;
            break;
        }
        normalEquations(points, p, unit, jtj, jtr);
    }
    if (!fit.converged && lambda >= 1e12)
        fit.converged = true; // no step lowers the residual: a minimum to working precision
    if (!positiveDefinite(p) || !(p[Amp] > 0))
        return std::nullopt;

    // The fitted covariance less the widening of the block mean.
    const double q = p[Qa] * p[Qc] - p[Qb] * p[Qb];
    const double fxx = p[Qc] / q, fyy = p[Qa] / q, fxy = -p[Qb] / q;
    const double cxx = fxx - blockVariance, cyy = fyy - blockVariance;
    const double mean = 0.5 * (cxx + cyy);
    const double root = std::sqrt(0.25 * (cxx - cyy) * (cxx - cyy) + fxy * fxy);
    const double l1 = mean + root, l2 = mean - root;
    if (!(l2 > 0))
        return std::nullopt;
    fit.x = p[X0];
    fit.y = p[Y0];
    fit.major = 4 * std::sqrt(l1);
    fit.minor = 4 * std::sqrt(l2);
    // A surface far wider than the area, or centred outside it, is not borne out by the data
    // (a frame a few pixels high leaves one direction free).
    const double diagonal = 2 * std::hypot(area.halfMajor(), area.halfMinor());
    const bool centred = fit.x >= area.left() - 0.5 && fit.x <= area.left() + area.width() - 0.5 &&
                         fit.y >= area.top() - 0.5 && fit.y <= area.top() + area.height() - 0.5;
    if (!(fit.major <= MaxWidthOverArea * diagonal) || !centred)
        return std::nullopt;
    double phi = -0.5 * std::atan2(2 * fxy, cxx - cyy) * 180.0 / std::numbers::pi;
    if (phi <= -90.0)
        phi += 180.0;
    if (phi > 90.0)
        phi -= 180.0;
    fit.phiDeg = phi == 0 ? 0.0 : phi;
    fit.amplitude = p[Amp] * std::sqrt((fxx * fyy - fxy * fxy) / (l1 * l2));
    fit.offset = p[Off];

    double sum = 0;
    for (const Point &pt : points)
        sum += pt.v;
    const double average = sum / double(points.size());
    double total = 0;
    for (const Point &pt : points)
        total += (pt.v - average) * (pt.v - average);
    fit.r2 = total > 0 ? 1 - sse / total : 0.0;
    return fit;
}

} // namespace lumetra::beam
