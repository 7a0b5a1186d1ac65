// The power widths (two rows walked side by side) and the flat-top maximum density (four rows'
// running sums side by side) against the same figures taken pixel by pixel: on turned
// rectangles and ellipses, areas cut by the frame's edge and areas of a few rows, the knife edges
// and d86 come out identical to the last bit, the maximum density equal to a brute-force search.
#include "analysis/beam/estimate/BeamWidths.h"
#include "analysis/beam/estimate/IntegrationArea.h"
#include "analysis/beam/estimate/PowerDistribution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <ostream>
#include <vector>

using namespace lumetra::beam;
using namespace lumetra::beam::detail;

namespace {

struct AreaCase
{
    const char *name;
    int width, height;      // frame
    TurnedRect rect;        // area (theta in radians, y down)
    double dMinor;          // sets the maximum density's window: 1 + 2 floor(dMinor / 40), up to 9
};

void PrintTo(const AreaCase &c, std::ostream *os)
{
    *os << c.name;
}

// A Gaussian spot on a level with irregular noise, so that no two sums are alike.
std::vector<float> spotFrame(const AreaCase &c)
{
    std::vector<float> v(std::size_t(c.width) * std::size_t(c.height));
    std::uint32_t seed = 12345;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const double dx = x - c.rect.cx, dy = y - c.rect.cy;
            const double r2 = dx * dx / (c.rect.halfU * c.rect.halfU) + dy * dy / (c.rect.halfV * c.rect.halfV);
            v[std::size_t(y) * std::size_t(c.width) + std::size_t(x)] =
                float(12 + 200 * std::exp(-4 * r2) + double((seed >> 8) % 97) / 13.0);
        }
    return v;
}

// d86 and the knife edges as the area's pixels give them one at a time, in rows.
BeamWidths pixelByPixel(const IntegrationArea &a)
{
    const double cx = a.cx(), cy = a.cy(), ux = a.ux(), uy = a.uy();
    const double reach = std::hypot(a.halfMajor(), a.halfMinor()) + 2;
    PowerDistribution radial(0, reach), alongMajor(-reach, reach), alongMinor(-reach, reach);
    PowerDistribution alongX(a.left() - cx - 1, a.left() + a.width() - cx + 1);
    PowerDistribution alongY(a.top() - cy - 1, a.top() + a.height() - cy + 1);
    std::vector<double> columns(std::size_t(a.width()), 0.0);
    for (int y = a.top(); y < a.top() + a.height(); ++y) {
        const double dy = y - cy;
        double rowPower = 0;
        double u = (a.rowFirst(y) - cx) * ux + dy * uy, v = -(a.rowFirst(y) - cx) * uy + dy * ux;
        for (int x = a.rowFirst(y); x <= a.rowLast(y); ++x, u += ux, v -= uy) {
            const double e = a.value(x, y);
            const double dx = x - cx;
            radial.add(std::sqrt(dx * dx + dy * dy), e);
            alongMajor.add(u, e);
            alongMinor.add(v, e);
            rowPower += e;
            columns[std::size_t(x - a.left())] += e;
        }
        alongY.add(dy, rowPower);
    }
    for (int x = a.left(); x < a.left() + a.width(); ++x)
        alongX.add(x - cx, columns[std::size_t(x - a.left())]);
    const auto knife = [](const PowerDistribution &d) -> std::optional<double> {
        const auto low = d.reach(0.10, true), high = d.reach(0.10, false);
        if (!low || !high || !(*high > *low))
            return std::nullopt;
        return KnifeEdgeFactor * (*high - *low);
    };
    BeamWidths w;
    if (const auto r = radial.reach(0.865))
        w.d86 = 2 * *r;
    w.knifeX = knife(alongX);
    w.knifeY = knife(alongY);
    w.knifeMajor = knife(alongMajor);
    w.knifeMinor = knife(alongMinor);
    return w;
}

// The highest mean over side x side pixels centred on a pixel of the area, the square inside
// the area's box, searched square by square.
double bruteMaxDensity(const IntegrationArea &a, int side)
{
    const int r = side / 2;
    double best = -1e300;
    for (int y = a.top() + r; y < a.top() + a.height() - r; ++y)
        for (int x = std::max(a.rowFirst(y), a.left() + r); x <= std::min(a.rowLast(y), a.left() + a.width() - 1 - r);
             ++x) {
            double sum = 0;
            for (int j = -r; j <= r; ++j)
                for (int i = -r; i <= r; ++i)
                    sum += a.value(x + i, y + j);
            best = std::max(best, sum);
        }
    return best / (double(side) * side);
}

class AreaWidths : public ::testing::TestWithParam<AreaCase>
{
};

TEST_P(AreaWidths, AsPixelByPixel)
{
    const AreaCase &c = GetParam();
    const std::vector<float> frame = spotFrame(c);
    MeasurementArea measured;
    measured.area = c.rect;
    measured.halfU = c.rect.halfU;
    measured.halfV = c.rect.halfV;
    measured.level.a = 12;
    measured.level.b = 0.01; // a tilted level, as the moments subtract it
    measured.valid = true;
    BeamResult result;
    result.status = BeamStatus::Ok;
    result.centroidX = c.rect.cx + 0.3;
    result.centroidY = c.rect.cy - 0.2;
    result.phiDeg = -c.rect.theta * 180 / std::numbers::pi;
    result.dMajor = 2 * c.rect.halfU / 3;
    result.dMinor = c.dMinor;
    const IntegrationArea area(FrameView{frame.data(), c.width, c.height}, measured, result);
    ASSERT_TRUE(area.valid());

    const BeamWidths got = widthsOver(area, result);
    const BeamWidths want = pixelByPixel(area);
    ASSERT_TRUE(want.d86 && want.knifeMajor && want.knifeMinor);
    EXPECT_EQ(got.d86, want.d86);
    EXPECT_EQ(got.knifeX, want.knifeX);
    EXPECT_EQ(got.knifeY, want.knifeY);
    EXPECT_EQ(got.knifeMajor, want.knifeMajor);
    EXPECT_EQ(got.knifeMinor, want.knifeMinor);

    const int side = std::min(9, 1 + 2 * static_cast<int>(std::floor(c.dMinor / 40)));
    const double brute = bruteMaxDensity(area, side);
    EXPECT_NEAR(got.iso.maxDensity, brute, 1e-9 * std::abs(brute));
}

// Angles that step the minor coordinate by less and more than a bin a pixel, heights that leave
// one, two or three rows after the last group of four, areas cut by the frame.
INSTANTIATE_TEST_SUITE_P(
    Shapes, AreaWidths,
    ::testing::Values(AreaCase{"level", 200, 160, {100, 80, 60, 40, 0, false}, 100},
                      AreaCase{"turned21", 240, 200, {120.4, 97.7, 70, 45, -21 * std::numbers::pi / 180, false}, 150},
                      AreaCase{"turned3", 240, 200, {118, 101, 80, 30, 0.05, false}, 400},
                      AreaCase{"ellipse", 220, 200, {110, 100, 70, 55, 0.7, true}, 60},
                      AreaCase{"upright", 160, 240, {80, 120, 90, 35, std::numbers::pi / 2, false}, 20},
                      AreaCase{"cutByEdges", 120, 90, {20, 80, 50, 30, -0.4, false}, 90},
                      AreaCase{"fewRows", 200, 9, {100, 4, 60, 20, 0.02, false}, 45}),
    [](const ::testing::TestParamInfo<AreaCase> &info) { return std::string(info.param.name); });

} // namespace
