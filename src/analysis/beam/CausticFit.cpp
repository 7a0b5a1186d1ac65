#include "analysis/beam/CausticFit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace lumetra::beam {

namespace {

// Least squares of y ~ a + b t + c t^2 by Householder QR of the n x 3 design matrix. The caller
// centres and scales t to [-1, 1], which keeps the columns far from parallel. Returns nothing
// when the columns are dependent (fewer than three distinct t).
std::optional<std::array<double, 3>> solveQuadratic(const std::vector<double> &t, std::vector<double> y)
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
    std::array<double, 3> x{};
    for (int k = 2; k >= 0; --k) {
        double s = y[std::size_t(k)];
        for (std::size_t j = std::size_t(k) + 1; j < 3; ++j)
            s -= a[std::size_t(k)][j] * x[j];
        x[std::size_t(k)] = s / diagonal[std::size_t(k)];
    }
    return x;
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

CausticFitResult failure(std::string message)
{
    CausticFitResult result;
    result.error = std::move(message);
    return result;
}

} // namespace

double CausticFit::diameterAt(double zMm) const
{
    const double dz = zMm - z0Mm;
    return std::sqrt(d0Um * d0Um + thetaMrad * thetaMrad * dz * dz);
}

CausticFitResult fitCaustic(const std::vector<CausticPoint> &points, double wavelengthNm)
{
    if (!(wavelengthNm > 0) || !std::isfinite(wavelengthNm))
        return failure("the wavelength must be a positive number of nanometres");
    if (points.size() < 3)
        return failure("a caustic fit needs at least 3 points, there " +
                       std::string(points.size() == 1 ? "is " : "are ") + std::to_string(points.size()));
    for (const CausticPoint &p : points) {
        if (!std::isfinite(p.zMm))
            return failure("a z position is not a finite number");
        if (!std::isfinite(p.dUm) || p.dUm <= 0)
            return failure("the diameter at z = " + std::to_string(p.zMm) + " mm is not a positive number");
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
        return failure("the points need at least 3 different z positions");
    std::vector<double> t(n), y(n);
    for (std::size_t i = 0; i < n; ++i) {
        t[i] = (points[i].zMm - mean) / scale;
        y[i] = points[i].dUm * points[i].dUm;
    }
    const std::optional<std::array<double, 3>> coefficients = solveQuadratic(t, y);
    if (!coefficients)
        return failure("the points need at least 3 different z positions");
    const auto [a, b, c] = *coefficients;
    if (!(c > 0))
        return failure("the diameters do not narrow to a waist: the fitted d^2 = A + Bz + Cz^2 has C <= 0");
    const double waistSquared = a - b * b / (4 * c);
    if (!(waistSquared > 0))
        return failure("the fit has no real waist: A - B^2/4C <= 0 (the diameters fall faster than a beam's can)");

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
    CausticFitResult result;
    result.fit = std::move(fit);
    return result;
}

} // namespace lumetra::beam
