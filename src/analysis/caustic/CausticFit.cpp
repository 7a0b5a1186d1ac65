#include "analysis/caustic/CausticFit.h"

#include "analysis/caustic/Wavelength.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace lumetra::beam {

namespace {

// The least-squares coefficients with the triangular factor R of the design matrix, which their
// covariance needs.
struct Quadratic
{
    std::array<double, 3> x{};
    std::array<std::array<double, 3>, 3> r{}; // upper triangular
};

// Least squares of y ~ a + b t + c t^2 by Householder QR of the n x 3 design matrix. The caller
// centres and scales t to [-1, 1], which keeps the columns far from parallel. Returns nothing
// when the columns are dependent (fewer than three distinct t).
std::optional<Quadratic> solveQuadratic(const std::vector<double> &t, std::vector<double> y)
{
    const std::size_t n = t.size();
    std::vector<std::array<double, 3>> a(n);
    for (std::size_t i = 0; i < n; ++i)
        a[i] = {1.0, t[i], t[i] * t[i]};
    std::array<double, 3> diagonal{};
    for (std::size_t k = 0; k < 3; ++k) {
        double norm = 0;
        for (std::size_t i = k; i < n; ++i)
            norm += a[i][k] * a[i][k];
        norm = std::sqrt(norm);
        // Every column has a norm of order sqrt(n) on [-1, 1]; what is left after removing the
        // earlier columns is a rounding error when the points do not span three positions.
        if (norm <= 1e-10 * std::sqrt(double(n)))
            return std::nullopt;
        const double alpha = a[k][k] > 0 ? -norm : norm;
        // v = x - alpha e1, stored in place of column k below the diagonal.
        a[k][k] -= alpha;
        double vv = 0;
        for (std::size_t i = k; i < n; ++i)
            vv += a[i][k] * a[i][k];
        for (std::size_t j = k + 1; j < 3; ++j) {
            double s = 0;
            for (std::size_t i = k; i < n; ++i)
                s += a[i][k] * a[i][j];
            s = 2 * s / vv;
            for (std::size_t i = k; i < n; ++i)
                a[i][j] -= s * a[i][k];
        }
        double s = 0;
        for (std::size_t i = k; i < n; ++i)
            s += a[i][k] * y[i];
        s = 2 * s / vv;
        for (std::size_t i = k; i < n; ++i)
            y[i] -= s * a[i][k];
        diagonal[k] = alpha;
    }
    Quadratic q;
    for (int k = 2; k >= 0; --k) {
        double s = y[std::size_t(k)];
        for (std::size_t j = std::size_t(k) + 1; j < 3; ++j)
            s -= a[std::size_t(k)][j] * q.x[j];
        q.x[std::size_t(k)] = s / diagonal[std::size_t(k)];
    }
    for (std::size_t k = 0; k < 3; ++k) {
        q.r[k][k] = diagonal[k];
        for (std::size_t j = k + 1; j < 3; ++j)
            q.r[k][j] = a[k][j];
    }
    return q;
}

using Gradient = std::array<double, 3>;

// The solution of R' v = x by forward substitution.
std::array<double, 3> solveTransposed(const Quadratic &q, const std::array<double, 3> &x)
{
    std::array<double, 3> v{};
    for (std::size_t i = 0; i < 3; ++i) {
        double s = x[i];
        for (std::size_t j = 0; j < i; ++j)
            s -= q.r[j][i] * v[j];
        v[i] = s / q.r[i][i];
    }
    return v;
}

// The share of each point's own residual that is not left to judge its scatter by,
// (e_i / (1 - h_i))^2 with the leverage h_i = x_i' (R'R)^-1 x_i: the far-field points decide C
// nearly alone and sit close to the fit whatever their noise. A point that decides a coefficient
// alone (h_i = 1) has no residual and tells nothing.
std::vector<double> scaledSquaredResiduals(const Quadratic &q, const std::vector<double> &t, const std::vector<double> &y)
{
    const auto [a, b, c] = q.x;
    std::vector<double> squares(t.size(), 0.0);
    for (std::size_t i = 0; i < t.size(); ++i) {
        const std::array<double, 3> v = solveTransposed(q, {1.0, t[i], t[i] * t[i]});
        const double free = 1 - (v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        const double residual = y[i] - (a + t[i] * (b + t[i] * c));
        if (free > 1e-9)
            squares[i] = residual * residual / (free * free);
    }
    return squares;
}

// The standard error of a function of (a, b, c) with gradient g. The noise of d^2 grows with d
// (a diameter measured to a few per cent), so the covariance is the one that allows each point
// its own variance (White's, with each squared residual scaled by its leverage as above, which
// a Monte-Carlo test showed to match the scatter of repeated fits where the plain form falls 20 to
// 45 % short): g' Cov g = sum s_i (x_i' w)^2 with w = (R'R)^-1 g.
double propagatedError(const Quadratic &q, const std::vector<double> &t, const std::vector<double> &squares,
                       const Gradient &g)
{
    // R' u = g, then R w = u by back substitution.
    const std::array<double, 3> u = solveTransposed(q, g);
    std::array<double, 3> w{};
    for (int i = 2; i >= 0; --i) {
        double s = u[std::size_t(i)];
        for (std::size_t j = std::size_t(i) + 1; j < 3; ++j)
            s -= q.r[std::size_t(i)][j] * w[j];
        w[std::size_t(i)] = s / q.r[std::size_t(i)][std::size_t(i)];
    }
    double variance = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double h = w[0] + t[i] * (w[1] + t[i] * w[2]);
        variance += squares[i] * h * h;
    }
    return std::sqrt(variance);
}

// The standard errors of the figures, each through its gradient in the coefficients of the
// centred and scaled fit (z = mean + scale t): d0^2 = a - b^2/4c, z0 = mean - scale b/2c,
// theta = sqrt(c)/scale, zR = d0/theta and M^2 = k d0 sqrt(c) with k = pi / (4 lambda scale).
CausticStandardErrors standardErrors(const Quadratic &q, const std::vector<double> &t, const std::vector<double> &y,
                                     double scale, double k)
{
    CausticStandardErrors sd;
    if (t.size() <= 3)
        return sd;
    const auto [a, b, c] = q.x;
    const double d0 = std::sqrt(a - b * b / (4 * c));
    const double rootC = std::sqrt(c);
    const Gradient d0Gradient = {1 / (2 * d0), -b / (4 * c * d0), b * b / (8 * c * c * d0)};
    const Gradient thetaGradient = {0, 0, 1 / (2 * rootC * scale)};
    Gradient zrGradient{}, m2Gradient{};
    for (std::size_t i = 0; i < 3; ++i) {
        zrGradient[i] = scale * d0Gradient[i] / rootC;
        m2Gradient[i] = k * rootC * d0Gradient[i];
    }
    zrGradient[2] -= scale * d0 / (2 * c * rootC);
    m2Gradient[2] += k * d0 / (2 * rootC);
    const std::vector<double> squares = scaledSquaredResiduals(q, t, y);
    sd.known = true;
    sd.d0Um = propagatedError(q, t, squares, d0Gradient);
    sd.z0Mm = propagatedError(q, t, squares, {0, -scale / (2 * c), scale * b / (2 * c * c)});
    sd.thetaMrad = propagatedError(q, t, squares, thetaGradient);
    sd.zrMm = propagatedError(q, t, squares, zrGradient);
    sd.m2 = propagatedError(q, t, squares, m2Gradient);
    return sd;
}

std::string isoNote(const CausticFit &fit)
{
    if (fit.isoValid)
        return "The " + std::to_string(fit.points) + " points meet ISO 11146-1: " +
               std::to_string(fit.pointsWithinZr) + " within one Rayleigh length of the waist and " +
               std::to_string(fit.pointsBeyond2Zr) + " beyond two.";
    std::vector<std::string> missing;
    const auto lack = [&](int have, int want, const std::string &what) {
        if (have < want)
            missing.push_back(std::to_string(want - have) + " more " + what + " (at least " +
                              std::to_string(want) + ")");
    };
    lack(fit.points, IsoMinimumPoints, "points");
    lack(fit.pointsWithinZr, IsoMinimumNearWaist, "within one Rayleigh length of the waist");
    lack(fit.pointsBeyond2Zr, IsoMinimumFarField, "beyond two Rayleigh lengths");
    std::string text = "ISO 11146-1 needs ";
    for (std::size_t i = 0; i < missing.size(); ++i) {
        if (i > 0)
            text += i + 1 == missing.size() ? " and " : ", ";
        text += missing[i];
    }
    return text + ".";
}

CausticFitResult failure(CausticFailure kind, std::string message)
{
    CausticFitResult result;
    result.failure = kind;
    result.error = std::move(message);
    return result;
}

// How far below 1 an M^2 may come out of a measurement of an ideal beam without a warning: the
// diameters of a Gaussian beam are measured a few tenths of a per cent small. The uncertainty of
// the fit widens nothing: a poor fit below 1 is flagged like a good one.
constexpr double M2Slack = 0.01;
// The share of d^2 at the middle of the measured z below which a fitted waist is not resolved.
constexpr double UnresolvedWaist = 1e-6;

} // namespace

const char *causticWarningName(CausticWarning warning)
{
    switch (warning) {
    case CausticWarning::M2BelowOne:
        return "m2_below_1";
    case CausticWarning::WaistOutsideRange:
        break;
    }
    return "waist_outside_range";
}

double CausticFit::diameterAt(double zMm) const
{
    const double dz = zMm - z0Mm;
    return std::sqrt(d0Um * d0Um + thetaMrad * thetaMrad * dz * dz);
}

CausticFitResult fitCaustic(const std::vector<CausticPoint> &points, double wavelengthNm)
{
    if (const std::optional<std::string> wrong = wavelengthRangeError(wavelengthNm))
        return failure(CausticFailure::BadWavelength, *wrong);
    if (points.size() < 3) {
        CausticFitResult few = failure(CausticFailure::TooFewPoints,
                                       "a caustic fit needs at least 3 points, there " +
                                           std::string(points.size() == 1 ? "is " : "are ") +
                                           std::to_string(points.size()));
        few.points = points.size();
        return few;
    }
    for (const CausticPoint &p : points) {
        if (!std::isfinite(p.zMm))
            return failure(CausticFailure::NonFiniteZ, "a z position is not a finite number");
        if (!std::isfinite(p.dUm) || p.dUm <= 0) {
            CausticFitResult bad = failure(CausticFailure::BadDiameter, "the diameter at z = " + std::to_string(p.zMm) +
                                                                            " mm is not a positive number");
            bad.failedZMm = p.zMm;
            return bad;
        }
    }

    // Centre and scale z so that the normal matrix of [1, t, t^2] stays well conditioned whatever
    // the lab's zero is.
    const std::size_t n = points.size();
    double mean = 0;
    for (const CausticPoint &p : points)
        mean += p.zMm;
    mean /= double(n);
    double scale = 0;
    for (const CausticPoint &p : points)
        scale = std::max(scale, std::abs(p.zMm - mean));
    if (scale == 0)
        return failure(CausticFailure::TooFewPositions, "the points need at least 3 different z positions");
    std::vector<double> t(n), y(n);
    for (std::size_t i = 0; i < n; ++i) {
        t[i] = (points[i].zMm - mean) / scale;
        y[i] = points[i].dUm * points[i].dUm;
    }
    const std::optional<Quadratic> quadratic = solveQuadratic(t, y);
    if (!quadratic)
        return failure(CausticFailure::TooFewPositions, "the points need at least 3 different z positions");
    const auto [a, b, c] = quadratic->x;
    if (!(c > 0))
        return failure(CausticFailure::NoNarrowing,
                       "the diameters do not narrow to a waist: the fitted d^2 = A + Bz + Cz^2 has C <= 0");
    // a is d^2 at the middle of the measured z; the vertex value does not depend on the shift.
    const double waistSquared = a - b * b / (4 * c);
    // Clearly below zero the diameters fall faster than a beam's can; about zero (an exact cone,
    // give or take rounding) they narrow like a cone's.
    if (!(waistSquared > -UnresolvedWaist * a))
        return failure(CausticFailure::NoRealWaist,
                       "the fit has no real waist: A - B^2/4C <= 0 (the diameters fall faster than a beam's can)");
    if (!(waistSquared > UnresolvedWaist * a))
        return failure(CausticFailure::NoRealWaist,
                       "the fit has no real waist: A - B^2/4C <= 1e-6 A (the diameters narrow like a cone's, so "
                       "no waist is resolved)");

    CausticFit fit;
    fit.d0Um = std::sqrt(waistSquared);
    fit.z0Mm = mean + scale * (-b / (2 * c));
    fit.thetaMrad = std::sqrt(c) / scale;
    fit.zrMm = fit.d0Um / fit.thetaMrad;
    fit.m2 = std::numbers::pi * fit.d0Um * fit.thetaMrad / (4 * wavelengthNm);
    fit.points = int(n);
    double squares = 0;
    // Points that sit on a boundary up to rounding count on its inclusive side.
    const double slack = 1e-9 * fit.zrMm;
    for (const CausticPoint &p : points) {
        const double residual = p.dUm - fit.diameterAt(p.zMm);
        squares += residual * residual;
        const double distance = std::abs(p.zMm - fit.z0Mm);
        if (distance <= fit.zrMm + slack)
            ++fit.pointsWithinZr;
        if (distance >= 2 * fit.zrMm - slack)
            ++fit.pointsBeyond2Zr;
    }
    fit.residualRmsUm = std::sqrt(squares / double(n));
    fit.isoValid = fit.points >= IsoMinimumPoints && fit.pointsWithinZr >= IsoMinimumNearWaist &&
                   fit.pointsBeyond2Zr >= IsoMinimumFarField;
    fit.isoNote = isoNote(fit);
    fit.sd = standardErrors(*quadratic, t, y, scale, std::numbers::pi / (4 * wavelengthNm * scale));
    if (fit.m2 < 1 - M2Slack)
        fit.warnings.push_back(CausticWarning::M2BelowOne);
    const auto [zLow, zHigh] = std::minmax_element(points.begin(), points.end(),
                                                   [](const CausticPoint &p, const CausticPoint &q) { return p.zMm < q.zMm; });
    if (fit.z0Mm < zLow->zMm || fit.z0Mm > zHigh->zMm)
        fit.warnings.push_back(CausticWarning::WaistOutsideRange);
    CausticFitResult result;
    result.fit = std::move(fit);
    return result;
}

} // namespace lumetra::beam
