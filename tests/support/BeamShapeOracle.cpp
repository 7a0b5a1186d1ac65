#include "support/BeamShapeOracle.h"

#include <cmath>
#include <numbers>

namespace lumetra::test {

namespace {

constexpr double Pi = std::numbers::pi;
constexpr int Steps = 20000; // Simpson intervals (even)

double simpson(const std::function<double(double)> &g, double a, double b, int steps = Steps)
{
    if (!(b > a))
        return 0;
    const double h = (b - a) / steps;
    double sum = g(a) + g(b);
    for (int i = 1; i < steps; ++i)
        sum += g(a + i * h) * (i % 2 ? 4 : 2);
    return sum * h / 3;
}

// The x in [a, b] where the decreasing function g crosses 0.
double bisect(const std::function<double(double)> &g, double a, double b)
{
    for (int i = 0; i < 50; ++i) {
        const double m = 0.5 * (a + b);
        (g(m) > 0 ? a : b) = m;
    }
    return 0.5 * (a + b);
}

} // namespace

ShapeTruth roundBeamTruth(const std::function<double(double)> &f, double radius, double reach)
{
    ShapeTruth t;
    const double r2 = radius * radius;
    // Power inside ρ (in radii), with the peak 1 per px².
    const auto inside = [&](double rho) { return 2 * Pi * r2 * simpson([&](double s) { return s * f(s); }, 0, rho); };
    const double power = inside(reach);
    const double second = 2 * Pi * r2 * r2 * simpson([&](double s) { return s * s * s * f(s); }, 0, reach);
    t.d4s = 4 * std::sqrt(0.5 * second / power);
    t.d86 = 2 * radius * bisect([&](double rho) { return 0.865 * power - inside(rho); }, 0, reach);
    // Radius (in radii) where f falls to `level`.
    const auto at = [&](double level) { return bisect([&](double rho) { return f(rho) - level; }, 0, reach); };
    t.clip = 2 * radius * at(std::exp(-2.0));
    t.fwhm = 2 * radius * at(0.5);
    // Knife edge: the power beyond x0 (in radii) is the integral of the projection
    // g(x) = 2 ∫ f(√(x² + y²)) dy; the 10 % point from the far side.
    const auto projection = [&](double x) {
        const double ymax = std::sqrt(std::max(0.0, reach * reach - x * x));
        return 2 * radius * simpson([&](double y) { return f(std::hypot(x, y)); }, 0, ymax, 400);
    };
    const auto beyond = [&](double x0) { return radius * simpson(projection, x0, reach, 400); };
    const double x90 = bisect([&](double x0) { return beyond(x0) - 0.1 * power; }, 0, reach);
    t.knife = 1.561 * 2 * radius * x90;

    t.effectiveArea = power;
    const double rhoEff = std::sqrt(power / (Pi * r2));
    t.effectiveLevel = f(rhoEff);
    const double mean = inside(rhoEff) / power;
    const double meanSquare = 2 * Pi * r2 * simpson([&](double s) { return s * f(s) * f(s); }, 0, rhoEff) / power;
    t.flatness = mean;
    t.uniformity = std::sqrt(std::max(0.0, meanSquare - mean * mean)) / mean;
    const double a10 = at(0.1), a90 = at(0.9);
    t.edgeSteepness = (a10 * a10 - a90 * a90) / (a10 * a10);
    return t;
}

ShapeTruth gaussianTruth(double twoW)
{
    return roundBeamTruth([](double rho) { return std::exp(-2 * rho * rho); }, twoW / 2, 5.0);
}

ShapeTruth discTruth(double radius)
{
    return roundBeamTruth([](double rho) { return rho <= 1 ? 1.0 : 0.0; }, radius, 1.0);
}

ShapeTruth superGaussianTruth(double radius)
{
    return roundBeamTruth([](double rho) { return std::exp(-2 * std::pow(rho, 20)); }, radius, 1.5);
}

double ellipticalGaussianD86(double twoWu, double twoWv)
{
    const double wu = twoWu / 2, wv = twoWv / 2;
    const double total = Pi * wu * wv / 2;
    // Power inside the circle r: ∫ (1 - exp(-2 r² a)) / (4 a) dθ, a = cos²θ / wu² + sin²θ / wv².
    const auto inside = [&](double r) {
        return simpson(
            [&](double th) {
                const double a = std::cos(th) * std::cos(th) / (wu * wu) + std::sin(th) * std::sin(th) / (wv * wv);
                return (1 - std::exp(-2 * r * r * a)) / (4 * a);
            },
            0, 2 * Pi, 2000);
    };
    return 2 * bisect([&](double r) { return 0.865 * total - inside(r); }, 0, 5 * std::max(wu, wv));
}

} // namespace lumetra::test
