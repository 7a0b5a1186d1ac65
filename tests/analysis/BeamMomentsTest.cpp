// The sums behind D4σ (vectors of eight floats, four doubles) against plain double sums over the
// same pixels: rows of every length (the lanes and their tails), turned rectangles and ellipses,
// clipped and plane weights, and the band's plane fit with and without outliers.
#include "analysis/beam/estimate/BeamMoments.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

using namespace lumetra::beam::detail;

namespace {

std::vector<float> irregular(int width, int height, std::uint32_t seed)
{
    std::vector<float> v(std::size_t(width) * std::size_t(height));
    for (float &x : v) {
        seed = seed * 1664525u + 1013904223u;
        x = float(10 + (seed >> 8) % 241);
    }
    return v;
}

// Power, centroid and central second moments of weight(x, y, v) over the area's pixels.
Moments plainMoments(const FrameView &f, const TurnedRect *area, const std::function<double(int, int, double)> &weight)
{
    double s0 = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    long long pixels = 0;
    for (int y = 0; y < f.height; ++y) {
        int x0 = 0, x1 = f.width - 1;
        if (area)
            rowSpan(*area, y, f.width, x0, x1);
        for (int x = x0; x <= x1; ++x) {
            const double w = weight(x, y, f.at(x, y));
            s0 += w;
            sx += w * x;
            sy += w * y;
            sxx += w * x * x;
            syy += w * y * y;
            sxy += w * x * y;
            ++pixels;
        }
    }
    Moments m;
    m.power = s0;
    m.pixels = pixels;
    m.cx = sx / s0;
    m.cy = sy / s0;
    m.sxx = sxx / s0 - m.cx * m.cx;
    m.syy = syy / s0 - m.cy * m.cy;
    m.sxy = sxy / s0 - m.cx * m.cy;
    return m;
}

void expectClose(const Moments &got, const Moments &want, const std::string &what)
{
    EXPECT_EQ(got.pixels, want.pixels) << what;
    EXPECT_NEAR(got.power, want.power, 1e-5 * std::abs(want.power)) << what;
    if (!(want.power > 0))
        return; // no centroid without power
    EXPECT_NEAR(got.cx, want.cx, 1e-4) << what;
    EXPECT_NEAR(got.cy, want.cy, 1e-4) << what;
    const double scale = std::abs(want.sxx) + std::abs(want.syy);
    EXPECT_NEAR(got.sxx, want.sxx, 1e-4 * scale) << what;
    EXPECT_NEAR(got.syy, want.syy, 1e-4 * scale) << what;
    EXPECT_NEAR(got.sxy, want.sxy, 1e-4 * scale) << what;
}

} // namespace

TEST(BeamMoments, VectorSumsAgreeWithPlainSums)
{
    // One row of every length from 1 to 40 pixels, the whole frame.
    for (int width = 1; width <= 40; ++width) {
        const std::vector<float> v = irregular(width, 3, std::uint32_t(width));
        const FrameView f{v.data(), width, 3};
        const Moments clipped = clippedMoments(f, 60, 20, nullptr);
        expectClose(clipped, plainMoments(f, nullptr, [](int, int, double x) { return x - 60 > 20 ? x - 60 : 0.0; }),
                    "width " + std::to_string(width));
    }
    // Turned rectangles and ellipses inside a frame and over its edges.
    const std::vector<float> v = irregular(61, 47, 7);
    const FrameView f{v.data(), 61, 47};
    const TurnedRect areas[] = {{30.2, 22.7, 17, 9, 0.3, false}, {30.2, 22.7, 17, 9, -1.1, true},
                                {3.4, 40.1, 12, 8, 0.8, false},  {57.5, 2.2, 10, 6, 2.0, true},
                                {20, 20, 0.7, 0.6, 0.2, false}};
    Plane plane;
    plane.a = 90;
    plane.b = 0.7;
    plane.c = -0.4;
    plane.x0 = 30;
    plane.y0 = 23;
    for (const TurnedRect &area : areas) {
        const std::string what = "area at " + std::to_string(area.cx) + "," + std::to_string(area.cy);
        expectClose(clippedMoments(f, 60, 20, &area),
                    plainMoments(f, &area, [](int, int, double x) { return x - 60 > 20 ? x - 60 : 0.0; }), what);
        expectClose(planeMoments(f, plane, area),
                    plainMoments(f, &area, [&plane](int x, int y, double z) { return z - plane.at(x, y); }), what);
    }
}

// A tilted dark level in the band between two rectangles is found to the rounding of its sums,
// also with hot pixels in the band: the second pass leaves them out.
TEST(BeamMoments, TheBandFitFindsATiltedLevelPastHotPixels)
{
    const int width = 83, height = 71;
    std::vector<float> v(std::size_t(width) * std::size_t(height));
    const auto level = [](int x, int y) { return 40 + 0.25 * (x - 41) - 0.125 * (y - 35); };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            v[std::size_t(y) * width + std::size_t(x)] = float(level(x, y));
    const FrameView f{v.data(), width, height};
    const TurnedRect outer{41.3, 35.2, 30, 24, 0.4, false}, inner{41.3, 35.2, 14, 10, 0.4, false};
    for (const bool hot : {false, true}) {
        if (hot) // on the band's axes, midway between the two rectangles
            for (const auto &[u, w] : {std::pair{22.0, 0.0}, std::pair{-22.0, 0.0}, std::pair{0.0, 17.0}, std::pair{0.0, -17.0}}) {
                const int x = int(std::lround(outer.cx + u * std::cos(outer.theta) - w * std::sin(outer.theta)));
                const int y = int(std::lround(outer.cy + u * std::sin(outer.theta) + w * std::cos(outer.theta)));
                v[std::size_t(y) * width + std::size_t(x)] += 500;
            }
        Plane p;
        ASSERT_TRUE(fitBandPlane(f, outer, inner, p));
        for (const auto &[x, y] : {std::pair{0, 0}, std::pair{82, 70}, std::pair{41, 35}})
            EXPECT_NEAR(p.at(x, y), level(x, y), 1e-9) << x << "," << y << (hot ? " with hot pixels" : "");
        EXPECT_NEAR(p.b, 0.25, 1e-12);
        EXPECT_NEAR(p.c, -0.125, 1e-12);
    }
}
