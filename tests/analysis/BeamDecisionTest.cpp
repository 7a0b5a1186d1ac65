// Whether a frame holds a beam at all: frames of pure noise of every kind a camera gives are "no
// beam", also with a row or a column less; faint beams whose peak stands 8 noise deviations out
// are measured (or flagged); and the warnings that say why a measured beam is doubtful.
#include "analysis/beam/BeamMeasurement.h"
#include "analysis/beam/estimate/BeamWidths.h"
#include "support/NoiseFrames.h"
#include "support/SyntheticBeam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using namespace lumetra;
using namespace lumetra::test;

namespace {

bool hasWarning(const beam::BeamResult &r, beam::BeamWarning w)
{
    return r.warnings.has(w);
}

} // namespace

TEST(BeamDecision, NoiseOfEveryKindIsNoBeamWithARowOrColumnLess)
{
    int frames = 0;
    for (int kind = 0; kind < NoiseKindCount; ++kind)
        for (unsigned seed = 1; seed <= 7; ++seed) {
            const beam::BeamFrame f = noiseFrame(NoiseKind(kind), 384, 288, seed);
            SCOPED_TRACE(noiseKindName(NoiseKind(kind)) + " seed " + std::to_string(seed));
            for (const beam::BeamFrame &g : {f, withoutLastRow(f), withoutLastColumn(f)}) {
                const beam::BeamResult r = beam::measureBeam(g);
                EXPECT_EQ(r.status, beam::BeamStatus::NoBeam)
                    << g.width << " x " << g.height << ": D4σ " << r.dMajor << " x " << r.dMinor;
                EXPECT_TRUE(r.warnings.empty());
            }
            ++frames;
        }
    EXPECT_GE(frames, 50);
}

TEST(BeamDecision, FaintBeamsAreMeasuredWithinTenPercentOrFlagged)
{
    int beams = 0, within = 0;
    for (const double darkMean : {2.0, 0.0})
        for (const double diameter : {4.0, 6.0, 10.0, 20.0, 37.0, 56.0})
            for (const double peakSigmas : {8.0, 12.0, 21.0}) {
                const unsigned seed = unsigned(diameter * 10 + peakSigmas);
                const FaintBeam b = faintBeam(400, 320, 180.3 + diameter, 170.6 - peakSigmas, diameter, peakSigmas,
                                              darkMean, seed);
                SCOPED_TRACE(testing::Message() << "D4σ " << b.diameter << " peak " << peakSigmas << " σ, "
                                                << (darkMean > 0 ? "Poisson" : "white") << " noise");
                for (const beam::BeamFrame &g : {b.frame, withoutLastRow(b.frame), withoutLastColumn(b.frame)}) {
                    const beam::BeamResult r = beam::measureBeam(g);
                    ASSERT_EQ(r.status, beam::BeamStatus::Ok);
                    const double error = 0.5 * (r.dX + r.dY) / b.diameter - 1;
                    const double offset = std::hypot(r.centroidX - b.cx, r.centroidY - b.cy);
                    if (std::abs(error) > 0.10 || offset > std::max(1.0, 0.1 * b.diameter)) {
                        EXPECT_FALSE(r.warnings.empty())
                            << "off by " << 100 * error << " %, centroid by " << offset << " px without a warning";
                    }
                }
                ++beams;
                const beam::BeamResult r = beam::measureBeam(b.frame);
                within += std::abs(0.5 * (r.dX + r.dY) / b.diameter - 1) <= 0.10;
            }
    std::printf("%d faint beams measured, %d within 10 %%\n", beams, within);
    EXPECT_GE(beams, 30);
    EXPECT_GE(within, beams / 2);
}

TEST(BeamDecision, ABeamAmongHotPixelsAndHitsIsFound)
{
    FaintBeam b = faintBeam(400, 320, 250.2, 140.7, 12, 10, 0, 5);
    const beam::BeamFrame hits = noiseFrame(NoiseKind::CosmicRays, 400, 320, 9);
    for (std::size_t i = 0; i < hits.values.size(); ++i) // the hits, moved onto the beam's frame
        b.frame.values[i] = std::min(255.0f, b.frame.values[i] + std::max(0.0f, hits.values[i] - 40.0f));
    const beam::BeamResult r = beam::measureBeam(b.frame);
    ASSERT_EQ(r.status, beam::BeamStatus::Ok);
    EXPECT_NEAR(r.centroidX, b.cx, 1.5);
    EXPECT_NEAR(r.centroidY, b.cy, 1.5);
}

TEST(BeamWarnings, ClippedLargerThanFrameAndDisagreeingEstimatorsAreNamed)
{
    Scene s;
    s.noise = 1.5;
    s.spots = {Spot{SpotShape::Gaussian, 320.4, 240.2, 60, 60, 0, 180}};
    const beam::MeasuredBeam clean = beam::measureBeamWithWidths(makeFrame(s).frame);
    ASSERT_EQ(clean.result.status, beam::BeamStatus::Ok);
    EXPECT_TRUE(clean.result.warnings.empty()) << clean.result.warnings.joinedNames();

    s.spots.front().cx = 30.4; // the integration area (1.9 diameters across) reaches the left edge
    const beam::BeamResult clipped = beam::measureBeam(makeFrame(s).frame);
    EXPECT_TRUE(hasWarning(clipped, beam::BeamWarning::BeamClipped)) << clipped.warnings.joinedNames();
    EXPECT_FALSE(hasWarning(clipped, beam::BeamWarning::LargerThanFrame));

    s.spots.front() = Spot{SpotShape::Gaussian, 320, 240, 900, 900, 0, 180};
    const beam::BeamResult huge = beam::measureBeam(makeFrame(s).frame);
    ASSERT_EQ(huge.status, beam::BeamStatus::Ok);
    EXPECT_TRUE(hasWarning(huge, beam::BeamWarning::LargerThanFrame)) << huge.warnings.joinedNames();
    EXPECT_TRUE(hasWarning(huge, beam::BeamWarning::BeamClipped));

    // A Gaussian core in a faint halo of twelve spots (7 % of the peak) just inside the
    // integration area: knife-edge and Gaussian fit see the core, D4σ the halo too.
    s.spots = {Spot{SpotShape::Gaussian, 320.4, 240.2, 60, 60, 0, 170}};
    for (int k = 0; k < 12; ++k) {
        const double a = k * 3.14159265358979 / 6;
        s.spots.push_back(Spot{SpotShape::Gaussian, 320.4 + 55 * std::cos(a), 240.2 + 55 * std::sin(a), 16, 16, 0, 12});
    }
    const beam::MeasuredBeam halo = beam::measureBeamWithWidths(makeFrame(s).frame);
    ASSERT_TRUE(halo.widths && halo.widths->knifeMajor);
    std::printf("halo: D4σ %.1f, knife-edge %.1f, Gaussian 2w %.1f\n", halo.result.dMajor,
                *halo.widths->knifeMajor, halo.widths->gauss ? halo.widths->gauss->major : 0.0);
    EXPECT_TRUE(hasWarning(halo.result, beam::BeamWarning::EstimatorsDisagree))
        << halo.result.warnings.joinedNames();
}
