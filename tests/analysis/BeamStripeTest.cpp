// Smear stripes: the light a CCD adds to the beam's columns (or rows) along their whole length is
// taken out before the moments, and frames without stripes are measured exactly as before.
#include "analysis/beam/BeamMeasurement.h"
#include "analysis/beam/estimate/BeamWidths.h"
#include "support/SyntheticBeam.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace lumetra;
using namespace lumetra::test;

namespace {

// A 1280 x 960 camera frame with a beam of 180 codes over a dark level of 12 (1.5 codes of noise),
// its smear `share` of the peak.
Scene smeared(double share, bool rows, bool followsBeam)
{
    Scene s;
    s.width = 1280;
    s.height = 960;
    s.darkLevel = 12;
    s.noise = 1.5;
    s.spots = {Spot{SpotShape::Gaussian, 530.6, 590.3, 140, 100, 25, 180}};
    s.smear = share * 180;
    s.smearRows = rows;
    s.smearFollowsBeam = followsBeam;
    return s;
}

struct StripeCase
{
    std::string name;
    Scene scene;
    beam::StripeCorrection expected;
};

std::vector<StripeCase> stripeCases()
{
    std::vector<StripeCase> c;
    for (const double share : {0.01, 0.03, 0.05}) {
        const std::string percent = std::to_string(int(share * 100 + 0.5)) + " %";
        c.push_back({"columns " + percent, smeared(share, false, true), beam::StripeCorrection::Columns});
        c.push_back({"rows " + percent, smeared(share, true, true), beam::StripeCorrection::Rows});
    }
    c.push_back({"3-pixel column 2 %", smeared(0.02, false, false), beam::StripeCorrection::Columns});
    c.push_back({"3-pixel row 4 %", smeared(0.04, true, false), beam::StripeCorrection::Rows});
    {
        // A TEM00 frame as a CCD gives it: dark level under one code, smear of 6 codes (3 %).
        Scene s = smeared(0.03, false, true);
        s.darkLevel = 0.6;
        s.noise = 0.6;
        s.spots.front() = Spot{SpotShape::Gaussian, 700.2, 420.7, 110, 100, 0, 200};
        s.smear = 6;
        c.push_back({"dark level under 1, 6 codes", s, beam::StripeCorrection::Columns});
    }
    {
        Scene s = smeared(0.02, false, true);
        s.bitDepth = 16;
        s.darkLevel = 900;
        s.noise = 150;
        s.spots.front().peak = 30000;
        s.smear = 600;
        c.push_back({"16-bit columns 2 %, tilted dark level", s, beam::StripeCorrection::Columns});
        c.back().scene.tiltX = 0.5;
        c.back().scene.tiltY = -0.3;
    }
    {
        Scene s = smeared(0.03, true, true);
        s.spots.front() = Spot{SpotShape::Gaussian, 300.2, 180.7, 24, 20, 0, 180};
        c.push_back({"small spot, rows 3 %", s, beam::StripeCorrection::Rows});
    }
    return c;
}

} // namespace

TEST(BeamStripes, SmearOfColumnsAndRowsIsTakenOut)
{
    std::printf("%-40s %15s %21s %21s\n", "case", "true", "stripes off", "stripes auto");
    for (const StripeCase &c : stripeCases()) {
        SCOPED_TRACE(c.name);
        const SyntheticFrame f = makeFrame(c.scene);
        beam::BeamOptions off;
        off.correctStripes = false;
        const beam::BeamResult uncorrected = beam::measureBeam(f.frame, off);
        const beam::BeamResult r = beam::measureBeam(f.frame);
        std::printf("%-40s %7.2f x %6.2f  %9.2f x %9.2f  %9.2f x %9.2f\n", c.name.c_str(), f.truth.dMajor,
                    f.truth.dMinor, uncorrected.dMajor, uncorrected.dMinor, r.dMajor, r.dMinor);
        EXPECT_EQ(uncorrected.stripeCorrection, beam::StripeCorrection::None);
        ASSERT_EQ(r.status, beam::BeamStatus::Ok);
        EXPECT_EQ(r.stripeCorrection, c.expected);
        EXPECT_NEAR(r.dMajor, f.truth.dMajor, 0.05 * f.truth.dMajor);
        EXPECT_NEAR(r.dMinor, f.truth.dMinor, 0.05 * f.truth.dMinor);
        EXPECT_NEAR(r.centroidX, f.truth.cx, 1.0);
        EXPECT_NEAR(r.centroidY, f.truth.cy, 1.0);
        EXPECT_FALSE(r.backgroundWarning);
    }
}

TEST(BeamStripes, FramesWithoutStripesAreMeasuredAsWithStripesOff)
{
    std::vector<std::pair<std::string, Scene>> scenes;
    const auto add = [&](const std::string &name, auto change) {
        Scene s = smeared(0, false, false);
        change(s);
        scenes.push_back({name, s});
    };
    add("clean", [](Scene &) {});
    add("tilted dark level", [](Scene &s) { s.tiltX = 0.02, s.tiltY = -0.012; });
    add("stray-light bowl", [](Scene &s) { s.bowl = 12; });
    add("inverted bowl", [](Scene &s) { s.bowl = -8; });
    add("fixed-pattern noise, hot pixels", [](Scene &s) { s.fixedPattern = 2, s.hotPixels = 40; });
    add("second faint spot", [](Scene &s) { s.spots.push_back({SpotShape::Gaussian, 950, 250, 60, 60, 0, 14}); });
    add("flat top", [](Scene &s) { s.spots.front() = Spot{SpotShape::FlatTop, 640, 480, 200, 160, 10, 150}; });
    add("small spot", [](Scene &s) { s.spots.front() = Spot{SpotShape::Gaussian, 95.3, 870.6, 8, 6, 40, 120}; });
    add("large beam", [](Scene &s) { s.spots.front() = Spot{SpotShape::Gaussian, 640, 470, 320, 260, -20, 180}; });
    add("near the edge", [](Scene &s) { s.spots.front().cx = 90, s.spots.front().cy = 880; });
    add("16 bits", [](Scene &s) { s.bitDepth = 16, s.darkLevel = 800, s.noise = 200, s.spots.front().peak = 40000; });
    add("no noise", [](Scene &s) { s.noise = 0, s.tiltX = 0.01; });
    add("no beam", [](Scene &s) { s.spots.clear(); });
    for (const auto &[name, scene] : scenes)
        for (unsigned seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(name + " seed " + std::to_string(seed));
            Scene seeded = scene;
            seeded.seed = seed;
            const SyntheticFrame f = makeFrame(seeded);
            beam::BeamOptions off;
            off.correctStripes = false;
            const beam::BeamResult a = beam::measureBeam(f.frame), b = beam::measureBeam(f.frame, off);
            EXPECT_EQ(a.stripeCorrection, beam::StripeCorrection::None);
            EXPECT_EQ(a.status, b.status);
            EXPECT_EQ(a.dMajor, b.dMajor);
            EXPECT_EQ(a.dMinor, b.dMinor);
            EXPECT_EQ(a.centroidX, b.centroidX);
            EXPECT_EQ(a.background, b.background);
        }
}

// Every width is taken on the frame the stripes were taken out of: knife-edge, d86 and the
// Gaussian fit of a smeared frame agree with those of the same beam without smear.
TEST(BeamStripes, EveryWidthIsTakenOnTheCorrectedFrame)
{
    std::vector<StripeCase> cases = stripeCases();
    for (unsigned seed = 2; cases.size() < 16; ++seed) { // more draws of the noise
        cases.push_back(cases[cases.size() % 10]);
        cases.back().scene.seed = seed;
        cases.back().name += " seed " + std::to_string(seed);
    }
    for (const StripeCase &c : cases) {
        SCOPED_TRACE(c.name);
        Scene alone = c.scene;
        alone.smear = 0;
        const beam::MeasuredBeam smeared = beam::measureBeamWithWidths(makeFrame(c.scene).frame);
        const beam::MeasuredBeam clean = beam::measureBeamWithWidths(makeFrame(alone).frame);
        ASSERT_TRUE(smeared.widths && clean.widths);
        EXPECT_EQ(smeared.result.stripeCorrection, c.expected);
        const beam::BeamWidths &a = *smeared.widths, &b = *clean.widths;
        ASSERT_TRUE(a.knifeX && a.knifeY && a.d86 && a.gauss && b.knifeX && b.knifeY && b.d86 && b.gauss);
        EXPECT_NEAR(*a.knifeX, *b.knifeX, 0.05 * *b.knifeX);
        EXPECT_NEAR(*a.knifeY, *b.knifeY, 0.05 * *b.knifeY);
        EXPECT_NEAR(*a.d86, *b.d86, 0.05 * *b.d86);
        EXPECT_NEAR(a.gauss->major, b.gauss->major, 0.05 * b.gauss->major);
        EXPECT_NEAR(a.gauss->minor, b.gauss->minor, 0.05 * b.gauss->minor);
    }
}
