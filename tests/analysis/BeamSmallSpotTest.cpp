// Small focused spots (D4σ 4 to 16 pixels) anywhere in noisy 8- and 16-bit frames with a
// non-integer dark level: every one stands well out of the noise, so every one is measured.
#include "analysis/beam/BeamMeasurement.h"
#include "support/SyntheticBeam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

using namespace lumetra;
using namespace lumetra::test;

namespace {

// A random small spot: D4σ 4..16 px along either axis, ellipticity at least 0.75, at any angle, anywhere at least two
// diameters from the edges, 100..200 codes over a dark level of 3..20 (not a whole number) with
// 1..2 codes of noise.
Scene smallSpot(std::mt19937 &random, int bitDepth)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Scene s;
    s.bitDepth = bitDepth;
    s.width = bitDepth == 16 ? 800 : 640;
    s.height = bitDepth == 16 ? 600 : 480;
    s.darkLevel = 3 + 17 * unit(random);
    s.noise = 1 + unit(random);
    Spot spot;
    const double d1 = 4 + 12 * unit(random), d2 = 4 + 12 * unit(random);
    spot.dMajor = std::max(d1, d2);
    spot.dMinor = std::max(std::min(d1, d2), 0.75 * spot.dMajor);
    spot.phiDeg = -90 + 180 * unit(random);
    const double margin = 2 * spot.dMajor + 4;
    spot.cx = margin + (s.width - 2 * margin) * unit(random);
    spot.cy = margin + (s.height - 2 * margin) * unit(random);
    spot.peak = 100 + 100 * unit(random);
    s.spots = {spot};
    s.seed = unsigned(random());
    return s;
}

} // namespace

TEST(BeamSmallSpots, EveryRandomSmallSpotIsMeasured)
{
    std::mt19937 random(2024);
    for (const int bitDepth : {8, 16}) {
        int noBeam = 0, outside = 0;
        double worst = 0;
        for (int i = 0; i < 100; ++i) {
            const Scene scene = smallSpot(random, bitDepth);
            const SyntheticFrame f = makeFrame(scene);
            const beam::BeamResult r = beam::measureBeam(f.frame);
            const Spot &spot = scene.spots.front();
            SCOPED_TRACE(testing::Message() << bitDepth << "-bit spot " << i << " at " << spot.cx << ", " << spot.cy
                                            << " d " << f.truth.dMajor << " x " << f.truth.dMinor << " peak "
                                            << spot.peak << " dark " << scene.darkLevel << " noise " << scene.noise << " seed " << scene.seed);
            if (r.status != beam::BeamStatus::Ok) {
                ++noBeam;
                ADD_FAILURE() << "no beam";
                continue;
            }
            // Relative to each axis' tolerance: 10 % below 6 px, 6 % above.
            const auto error = [](double measured, double truth) {
                return std::abs(measured / truth - 1) / (truth < 6 ? 0.10 : 0.06);
            };
            const double share = std::max(error(r.dMajor, f.truth.dMajor), error(r.dMinor, f.truth.dMinor));
            worst = std::max(worst, share);
            if (share > 1) {
                ++outside;
                ADD_FAILURE() << "measured " << r.dMajor << " x " << r.dMinor;
            }
            EXPECT_EQ(r.stripeCorrection, beam::StripeCorrection::None) << "no smear in these frames";
            EXPECT_NEAR(r.centroidX, f.truth.cx, 0.25);
            EXPECT_NEAR(r.centroidY, f.truth.cy, 0.25);
        }
        std::printf("%d-bit: %d of 100 without a beam, %d outside their tolerance, worst error %.2f of it\n", bitDepth,
                    noBeam, outside, worst);
    }
}
