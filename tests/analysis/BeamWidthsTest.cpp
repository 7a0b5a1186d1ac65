// The widths beyond D4σ on frames the command-line table does not cover: camera dark levels, a
// beam the frame cuts off, a tiny beam, no beam, and the profiles the beam window draws.
#include "analysis/beam/estimate/BeamWidths.h"
#include "support/SyntheticBeam.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lumetra;
using namespace lumetra::test;

namespace {

Scene camera(Spot spot)
{
    Scene s;
    s.darkLevel = 14;
    s.noise = 2;
    s.spots = {spot};
    return s;
}

beam::BeamWidths widthsOf(const beam::BeamFrame &frame, const beam::BeamFrame *dark = nullptr)
{
    const beam::MeasuredBeam m = beam::measureBeamWithWidths(frame, {}, dark);
    EXPECT_EQ(m.result.status, beam::BeamStatus::Ok);
    return m.widths.value_or(beam::BeamWidths{});
}

void expectWidths(const beam::BeamWidths &w, double major, double minor, double tolerance)
{
    ASSERT_TRUE(w.knifeMajor && w.knifeMinor && w.clipMajor && w.clipMinor && w.gauss);
    EXPECT_NEAR(*w.knifeMajor, major, tolerance * major);
    EXPECT_NEAR(*w.clipMajor, major, tolerance * major);
    EXPECT_NEAR(w.gauss->major, major, tolerance * major);
    EXPECT_NEAR(*w.knifeMinor, minor, tolerance * minor);
    EXPECT_NEAR(*w.clipMinor, minor, tolerance * minor);
    EXPECT_NEAR(w.gauss->minor, minor, tolerance * minor);
}

} // namespace

// A tilted, bowl-shaped dark level with fixed-pattern noise: the band plane takes the tilt, the
// dark frame the rest; with or without the dark frame the widths hold.
TEST(BeamWidths, CameraDarkLevelWithAndWithoutDarkFrame)
{
    Scene s = camera(Spot{SpotShape::Gaussian, 330.5, 235.2, 130, 90, -25, 180});
    s.tiltX = 0.02;
    s.tiltY = -0.015;
    s.bowl = 6;
    s.fixedPattern = 1.5;
    const beam::BeamFrame frame = makeFrame(s).frame;
    const beam::BeamFrame dark = makeDarkFrame(s);
    SCOPED_TRACE("dark frame");
    expectWidths(widthsOf(frame, &dark), 130, 90, 0.01);
    SCOPED_TRACE("no dark frame");
    expectWidths(widthsOf(frame), 130, 90, 0.03);
}

// Cut off by the frame's left edge: the profile along x never falls to 13.5 % or 50 % on that
// side, so those widths are absent rather than guessed; across the cut they are still there.
TEST(BeamWidths, BeamCutByTheEdgeHasNoClipWidthAcrossTheEdge)
{
    const beam::BeamFrame frame = makeFrame(camera(Spot{SpotShape::Gaussian, 15, 240, 150, 80, 0, 180})).frame;
    const beam::BeamWidths w = widthsOf(frame);
    EXPECT_FALSE(w.clipMajor);
    EXPECT_FALSE(w.fwhmMajor);
    ASSERT_TRUE(w.clipMinor);
    EXPECT_NEAR(*w.clipMinor, 80, 0.02 * 80);
}

// A beam of 14 x 10 px: the fit samples every pixel, and the widths stay within 3 %.
TEST(BeamWidths, TinyBeam)
{
    const beam::BeamFrame frame = makeFrame(camera(Spot{SpotShape::Gaussian, 300.4, 222.8, 14, 10, 30, 180})).frame;
    const beam::BeamWidths w = widthsOf(frame);
    expectWidths(w, 14, 10, 0.03);
    ASSERT_TRUE(w.d86);
    EXPECT_GT(w.gauss->r2, 0.98);
}

TEST(BeamWidths, NoBeamHasNoFigures)
{
    Scene s = camera(Spot{});
    s.spots.clear();
    const beam::BeamFrame frame = makeFrame(s).frame;
    const beam::MeasuredBeam m = beam::measureBeamWithWidths(frame);
    ASSERT_EQ(m.result.status, beam::BeamStatus::NoBeam);
    EXPECT_FALSE(m.widths);
}

// The profiles run through the centroid along the principal axes, and the fitted Gaussian laid
// along them follows the measured values.
TEST(BeamWidths, ProfilesFollowThePrincipalAxesAndTheFit)
{
    const Spot spot{SpotShape::Gaussian, 310.3, 250.6, 140, 70, 35, 180};
    const beam::BeamFrame frame = makeFrame(camera(spot)).frame;
    const beam::MeasuredBeam m = beam::measureBeamWithWidths(frame);
    const beam::BeamResult &r = m.result;
    ASSERT_TRUE(m.widths && m.widths->gauss);
    const beam::BeamWidths &w = *m.widths;
    const double phi = -35 * 3.14159265358979 / 180; // picture rows
    EXPECT_NEAR(w.ux, std::cos(phi), 0.01);
    EXPECT_NEAR(w.uy, std::sin(phi), 0.01);
    for (const auto &[profile, ax, ay, half] :
         {std::tuple{&w.profileMajor, w.ux, w.uy, 140.0}, std::tuple{&w.profileMinor, -w.uy, w.ux, 70.0}}) {
        ASSERT_FALSE(profile->empty());
        EXPECT_NEAR(profile->position.front(), -half, 1.0);
        EXPECT_NEAR(profile->position.back(), half, 1.0);
        for (std::size_t i = 0; i < profile->position.size(); i += 10) {
            const double t = profile->position[i];
            const double fitted = w.gauss->at(r.centroidX + t * ax, r.centroidY + t * ay);
            EXPECT_NEAR(profile->value[i], fitted, 3.0) << "at " << t; // 1.5 % of the peak
        }
    }
}

// A line across a frame three rows high leaves the fit free across it: no Gaussian rather than
// one millions of pixels wide; the widths along the rows still hold.
TEST(BeamWidths, AFrameFewRowsHighHasNoRunawayFit)
{
    Scene s;
    s.width = 300;
    s.height = 3;
    s.spots = {Spot{SpotShape::Gaussian, 150.3, 1, 40, 50000, 0, 200}};
    const beam::BeamFrame frame = makeFrame(s).frame;
    const beam::BeamWidths w = widthsOf(frame);
    EXPECT_FALSE(w.gauss) << w.gauss->major << " x " << w.gauss->minor;
    ASSERT_TRUE(w.knifeX);
    EXPECT_NEAR(*w.knifeX, 40, 0.02 * 40);
}
