// The beam measurement on what real cameras deliver: uneven dark levels, stray spots, smear,
// fixed-pattern noise, saturation, frames without a beam, and dark-frame subtraction.
#include "analysis/beam/BeamMeasurement.h"
#include "support/SyntheticBeam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>

using namespace lumetra;
using namespace lumetra::test;

namespace {

// A 1280 x 960 8-bit camera frame: a beam of 180 codes over a dark level of 12 with 1.5 codes
// of noise, plus whatever `add` puts in.
template <typename Add>
Scene camera(Add add)
{
    Scene s;
    s.width = 1280;
    s.height = 960;
    s.darkLevel = 12;
    s.noise = 1.5;
    s.spots = {Spot{SpotShape::Gaussian, 610.4, 455.8, 150, 110, 20, 180}};
    add(s);
    return s;
}

struct RealCase
{
    const char *name;
    Scene scene;
};

std::vector<RealCase> realLookingFrames()
{
    return {
        {"tilted dark level", camera([](Scene &s) { s.tiltX = 0.02, s.tiltY = -0.012; })},
        {"second faint spot", camera([](Scene &s) { s.spots.push_back({SpotShape::Gaussian, 950, 250, 60, 60, 0, 14}); })},
        {"smear column", camera([](Scene &s) { s.smear = 6; })},
        {"fixed-pattern noise, hot pixels", camera([](Scene &s) { s.fixedPattern = 2, s.hotPixels = 40; })},
        {"stray-light bowl", camera([](Scene &s) { s.bowl = 12; })},
        {"all of them", camera([](Scene &s) {
             s.tiltX = 0.015, s.bowl = 8, s.smear = 4, s.fixedPattern = 1.5, s.hotPixels = 20;
             s.spots.push_back({SpotShape::Gaussian, 1000, 700, 50, 50, 0, 12});
         })},
        {"all of them, small beam", camera([](Scene &s) {
             s.spots.front().dMajor = 40, s.spots.front().dMinor = 30;
             s.tiltX = 0.015, s.bowl = 8, s.smear = 4, s.fixedPattern = 1.5, s.hotPixels = 20;
             s.spots.push_back({SpotShape::Gaussian, 1000, 700, 50, 50, 0, 12});
         })},
    };
}

} // namespace

TEST(BeamRobustness, RealLookingFramesConvergeOnTheBeamNotTheFrame)
{
    for (const RealCase &c : realLookingFrames()) {
        SCOPED_TRACE(c.name);
        const SyntheticFrame f = makeFrame(c.scene);
        const beam::BeamResult r = beam::measureBeam(f.frame);
        std::printf("%-34s true %7.2f x %6.2f  measured %7.2f x %6.2f  centroid %+6.2f %+6.2f  warning %d conv %d it %d\n",
                    c.name, f.truth.dMajor, f.truth.dMinor, r.dMajor, r.dMinor, r.centroidX - f.truth.cx,
                    r.centroidY - f.truth.cy, r.backgroundWarning, r.converged, r.iterations);
        ASSERT_EQ(r.status, beam::BeamStatus::Ok);
        EXPECT_TRUE(r.converged);
        EXPECT_NEAR(r.centroidX, f.truth.cx, 2.0);
        EXPECT_NEAR(r.centroidY, f.truth.cy, 2.0);
        EXPECT_NEAR(r.dMajor, f.truth.dMajor, 0.10 * f.truth.dMajor);
        EXPECT_NEAR(r.dMinor, f.truth.dMinor, 0.10 * f.truth.dMinor);
    }
}

TEST(BeamRobustness, ADarkFrameTakesOutFixedPatternAndUnevenDarkLevel)
{
    const Scene s = camera([](Scene &c) { c.tiltX = 0.02, c.bowl = 10, c.fixedPattern = 3, c.hotPixels = 30; });
    const SyntheticFrame f = makeFrame(s);
    const beam::BeamFrame dark = makeDarkFrame(s);
    const beam::BeamResult r = beam::measureBeam(f.frame, {}, &dark);
    ASSERT_EQ(r.status, beam::BeamStatus::Ok);
    EXPECT_NEAR(r.dMajor, f.truth.dMajor, 0.03 * f.truth.dMajor);
    EXPECT_NEAR(r.dMinor, f.truth.dMinor, 0.03 * f.truth.dMinor);
    EXPECT_NEAR(r.background, 0.0, 0.5); // what is left of the dark level after subtraction
    EXPECT_FALSE(r.backgroundWarning);

    beam::BeamFrame smaller = dark;
    smaller.width -= 1;
    smaller.values.resize(std::size_t(smaller.width) * std::size_t(smaller.height));
    EXPECT_THROW(beam::measureBeam(f.frame, {}, &smaller), std::invalid_argument);
}

TEST(BeamRobustness, SaturatedPixelsAndPeakAreCounted)
{
    Scene s = camera([](Scene &c) { c.spots.front().peak = 400; }); // clipped at 255
    const SyntheticFrame f = makeFrame(s);
    long long expected = 0;
    for (const float v : f.frame.values)
        expected += v >= 255.0f ? 1 : 0;
    ASSERT_GT(expected, 100);
    const beam::BeamResult r = beam::measureBeam(f.frame);
    EXPECT_EQ(r.saturatedPixels, expected);
    EXPECT_EQ(r.peak, 255.0);

    Scene deep = s;
    deep.bitDepth = 16;
    deep.spots.front().peak = 30000;
    const beam::BeamResult unsaturated = beam::measureBeam(makeFrame(deep).frame);
    EXPECT_EQ(unsaturated.saturatedPixels, 0);
    EXPECT_GT(unsaturated.peak, 30000 * 0.95);
}

TEST(BeamRobustness, FramesWithoutABeamGiveNoDiameters)
{
    Scene noise8;
    noise8.spots.clear();
    noise8.noise = 3;
    Scene noise16 = noise8;
    noise16.width = 1280;
    noise16.height = 960;
    noise16.bitDepth = 16;
    noise16.darkLevel = 1000;
    noise16.noise = 250;
    Scene uniform = noise8;
    uniform.noise = 0;
    uniform.darkLevel = 128;
    Scene zero = uniform;
    zero.darkLevel = 0;
    for (const Scene *s : {&noise8, &noise16, &uniform, &zero})
        for (unsigned seed = 1; seed <= 3; ++seed) {
            Scene seeded = *s;
            seeded.seed = seed;
            const beam::BeamResult r = beam::measureBeam(makeFrame(seeded).frame);
            EXPECT_EQ(r.status, beam::BeamStatus::NoBeam) << s->darkLevel << " " << s->noise << " seed " << seed
                                                          << " d " << r.dMajor;
            EXPECT_EQ(r.dMajor, 0.0);
        }
}

TEST(BeamRobustness, ASmallFrameWithADotIsMeasured)
{
    Scene s;
    s.width = s.height = 16;
    s.darkLevel = 5;
    s.spots = {Spot{SpotShape::Gaussian, 9.3, 6.6, 4, 4, 0, 200}};
    const SyntheticFrame f = makeFrame(s);
    const beam::BeamResult r = beam::measureBeam(f.frame);
    ASSERT_EQ(r.status, beam::BeamStatus::Ok);
    EXPECT_NEAR(r.centroidX, f.truth.cx, 0.1);
    EXPECT_NEAR(r.centroidY, f.truth.cy, 0.1);
    EXPECT_NEAR(r.dMajor, f.truth.dMajor, 0.06 * f.truth.dMajor);

    // A lone lit pixel is a hot pixel, not a beam; four of them together are a hit; a spot of a few
    // pixels with light around its core is measured.
    beam::BeamFrame dot;
    dot.width = dot.height = 16;
    dot.values.assign(256, 0.0f);
    dot.values[5 * 16 + 11] = 90.0f; // one lit pixel at x 11, y 5
    EXPECT_EQ(beam::measureBeam(dot).status, beam::BeamStatus::NoBeam);
    for (const int i : {5 * 16 + 12, 6 * 16 + 11, 6 * 16 + 12})
        dot.values[std::size_t(i)] = 90.0f;
    EXPECT_EQ(beam::measureBeam(dot).status, beam::BeamStatus::NoBeam);
}
