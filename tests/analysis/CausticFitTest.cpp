// The ISO 11146-1 caustic fit: exact recovery, agreement with an independent least-squares
// solution on noisy data, the point-distribution rule and the cases without a waist.
#include "analysis/caustic/CausticFit.h"
#include "analysis/caustic/FrameNameZ.h"
#include "analysis/caustic/Wavelength.h"
#include "support/CausticOracle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace lumetra;
using lumetra::test::KnownCaustic;

namespace {

void expectRelative(double actual, double expected, double tolerance, const char *what)
{
    EXPECT_NEAR(actual, expected, tolerance * std::abs(expected)) << what;
}

beam::CausticFit fitOrFail(const std::vector<beam::CausticPoint> &points, double wavelengthNm)
{
    const beam::CausticFitResult result = beam::fitCaustic(points, wavelengthNm);
    EXPECT_TRUE(result.ok()) << result.error;
    return result.fit.value_or(beam::CausticFit{});
}

} // namespace

TEST(CausticFit, RecoversExactCausticsOfSeveralBeams)
{
    // Waists far from the lab's zero (z0 = 1250 mm) and points not centred on the waist (one more
    // on the near side) test the conditioning as well.
    const KnownCaustic beams[] = {{1.0, 633, 180, 512}, {1.3, 1064, 95, -40}, {4.2, 532, 420, 1250}};
    for (const KnownCaustic &known : beams) {
        SCOPED_TRACE(known.m2);
        const beam::CausticFit fit = fitOrFail(known.sample(lumetra::test::isoPositions(known, 6, 7)),
                                               known.wavelengthNm);
        expectRelative(fit.m2, known.m2, 1e-9, "M2");
        expectRelative(fit.d0Um, known.d0Um, 1e-9, "d0");
        expectRelative(fit.z0Mm, known.z0Mm, 1e-9, "z0");
        expectRelative(fit.thetaMrad, known.thetaMrad(), 1e-9, "theta");
        expectRelative(fit.zrMm, known.zrMm(), 1e-9, "zR");
        EXPECT_LT(fit.residualRmsUm, 1e-9 * known.d0Um);
        EXPECT_EQ(fit.points, 13);
        EXPECT_EQ(fit.pointsWithinZr, 6);
        EXPECT_EQ(fit.pointsBeyond2Zr, 7);
        EXPECT_TRUE(fit.isoValid) << fit.isoNote;
    }
}

TEST(CausticFit, NoisyCausticMatchesAnIndependentLeastSquaresSolution)
{
    const KnownCaustic known{1.7, 1064, 240, 310};
    std::mt19937 random(17);
    std::normal_distribution<double> noise(0.0, 0.03);
    std::vector<beam::CausticPoint> points;
    for (int i = 0; i < 25; ++i) {
        const double z = known.z0Mm - 2.5 * known.zrMm() + 7 * known.zrMm() * i / 24;
        points.push_back({z, known.diameterAt(z) * (1 + noise(random))});
    }
    const beam::CausticFit fit = fitOrFail(points, known.wavelengthNm);
    const lumetra::test::IndependentFit oracle = lumetra::test::numpyCausticFit(points, known.wavelengthNm);
    ASSERT_TRUE(oracle.ok) << oracle.error.toStdString();
    expectRelative(fit.d0Um, oracle.d0Um, 1e-9, "d0");
    expectRelative(fit.z0Mm, oracle.z0Mm, 1e-9, "z0");
    expectRelative(fit.thetaMrad, oracle.thetaMrad, 1e-9, "theta");
    expectRelative(fit.m2, oracle.m2, 1e-9, "M2");
    expectRelative(fit.residualRmsUm, oracle.residualRmsUm, 1e-9, "residual");
    // The noise really moved the fit, so the comparison above was not between two exact answers.
    EXPECT_GT(std::abs(fit.m2 - known.m2), 1e-4);
    EXPECT_GT(fit.residualRmsUm, 1.0);
}

TEST(CausticFit, IsoDistributionRuleBothWays)
{
    const KnownCaustic known{1.2, 633, 150, 100};
    {
        const beam::CausticFit fit = fitOrFail(known.sample(lumetra::test::isoPositions(known, 5, 5)), 633);
        EXPECT_TRUE(fit.isoValid);
        EXPECT_EQ(fit.isoNote, "The 10 points meet ISO 11146-1: 5 within one Rayleigh length of the waist "
                               "and 5 beyond two.");
    }
    {
        // Enough points, but too few in the far field.
        const beam::CausticFit fit = fitOrFail(known.sample(lumetra::test::isoPositions(known, 8, 3)), 633);
        EXPECT_FALSE(fit.isoValid);
        EXPECT_EQ(fit.pointsBeyond2Zr, 3);
        EXPECT_EQ(fit.isoNote, "ISO 11146-1 needs 2 more beyond two Rayleigh lengths (at least 5).");
    }
    {
        const beam::CausticFit fit = fitOrFail(known.sample(lumetra::test::isoPositions(known, 3, 4)), 633);
        EXPECT_FALSE(fit.isoValid);
        EXPECT_EQ(fit.isoNote, "ISO 11146-1 needs 3 more points (at least 10), 2 more within one Rayleigh "
                               "length of the waist (at least 5) and 1 more beyond two Rayleigh lengths "
                               "(at least 5).");
    }
    {
        // Points between one and two Rayleigh lengths count for neither group.
        std::vector<double> z;
        for (int i = 0; i < 12; ++i)
            z.push_back(known.z0Mm + known.zrMm() * (i % 2 ? 1.5 : -1.5) * (1 + 0.02 * i));
        const beam::CausticFit fit = fitOrFail(known.sample(z), 633);
        EXPECT_EQ(fit.pointsWithinZr, 0);
        EXPECT_EQ(fit.pointsBeyond2Zr, 0);
        EXPECT_FALSE(fit.isoValid);
    }
}

TEST(CausticFit, FitsWithoutAWaistAreErrors)
{
    const auto error = [](std::vector<beam::CausticPoint> points) {
        const beam::CausticFitResult result = beam::fitCaustic(points, 633);
        EXPECT_FALSE(result.ok());
        return result.error;
    };
    EXPECT_EQ(error({{0, 100}, {10, 120}}), "a caustic fit needs at least 3 points, there are 2");
    EXPECT_EQ(error({{0, 100}, {0, 120}, {5, 130}, {5, 110}}), "the points need at least 3 different z positions");
    // Diameters that peak in the middle: the parabola opens downwards.
    EXPECT_EQ(error({{0, 100}, {10, 150}, {20, 100}}),
              "the diameters do not narrow to a waist: the fitted d^2 = A + Bz + Cz^2 has C <= 0");
    // Straight through zero: d^2 = 0 at the bottom, and lower still between the points.
    EXPECT_EQ(error({{-10, 100}, {-5, 20}, {5, 20}, {10, 100}}),
              "the fit has no real waist: A - B^2/4C <= 0 (the diameters fall faster than a beam's can)");
    EXPECT_EQ(error({{0, 100}, {10, -5}, {20, 100}}), "the diameter at z = 10.000000 mm is not a positive number");
    EXPECT_FALSE(beam::fitCaustic({{0, 100}, {10, 50}, {20, 100}}, 0).ok());
}

TEST(CausticFit, PhysicallyImpossibleFitsAreFlaggedOrRefused)
{
    const KnownCaustic known{1.3, 1064, 200, 300};
    const std::vector<double> z = lumetra::test::isoPositions(known, 6, 6);
    {
        const beam::CausticFit fit = fitOrFail(known.sample(z), known.wavelengthNm);
        EXPECT_TRUE(fit.warnings.empty());
    }
    {
        // Diameters 0.6 times too small (a wrong pixel size) give M² = 0.36 x 1.3.
        std::vector<beam::CausticPoint> small = known.sample(z);
        for (beam::CausticPoint &p : small)
            p.dUm *= 0.6;
        const beam::CausticFit fit = fitOrFail(small, known.wavelengthNm);
        expectRelative(fit.m2, 0.36 * known.m2, 1e-9, "M2");
        EXPECT_EQ(fit.warnings, std::vector{beam::CausticWarning::M2BelowOne});
        EXPECT_STREQ(beam::causticWarningName(fit.warnings.front()), "m2_below_1");
    }
    {
        // Only the far field on one side: the waist is extrapolated beyond the measurements.
        std::vector<double> oneSide;
        for (int i = 0; i < 8; ++i)
            oneSide.push_back(known.z0Mm + known.zrMm() * (0.5 + 0.4 * i));
        const beam::CausticFit fit = fitOrFail(known.sample(oneSide), known.wavelengthNm);
        EXPECT_EQ(fit.warnings, std::vector{beam::CausticWarning::WaistOutsideRange});
    }
    // An exact cone d = 100 + 5z has no waist, not one of a few picometres; nor has one through
    // a far-away zero.
    for (const double offset : {0.0, 1383.0}) {
        std::vector<beam::CausticPoint> cone;
        for (int i = 0; i < 12; ++i)
            cone.push_back({offset + i * 10.0, 100 + 5 * i * 10.0});
        const beam::CausticFitResult result = beam::fitCaustic(cone, 633);
        EXPECT_FALSE(result.ok()) << result.fit->d0Um;
        EXPECT_EQ(result.failure, beam::CausticFailure::NoRealWaist);
    }
}

TEST(CausticFit, M2StandardErrorMatchesTheScatterOfRepeatedMeasurements)
{
    // A TEM00 beam measured with 2 % noise on the diameters: M² scatters about 1, and the warning
    // comes only where a value is below 1 by more than its own uncertainty (and 1 %).
    const KnownCaustic known{1.0, 1064, 250, 120};
    const std::vector<double> z = lumetra::test::isoPositions(known, 6, 6);
    std::mt19937 random(5);
    std::normal_distribution<double> noise(0.0, 0.02);
    double sum = 0, squares = 0, errors = 0;
    int warned = 0, below = 0;
    constexpr int Runs = 400;
    for (int run = 0; run < Runs; ++run) {
        std::vector<beam::CausticPoint> points = known.sample(z);
        for (beam::CausticPoint &p : points)
            p.dUm *= 1 + noise(random);
        const beam::CausticFit fit = fitOrFail(points, known.wavelengthNm);
        sum += fit.m2;
        squares += fit.m2 * fit.m2;
        errors += fit.m2StandardError;
        below += fit.m2 < 1;
        warned += !fit.warnings.empty();
    }
    const double mean = sum / Runs, spread = std::sqrt(squares / Runs - mean * mean);
    EXPECT_NEAR(errors / Runs, spread, 0.2 * spread);
    EXPECT_GT(below, Runs / 4);
    EXPECT_LT(warned, Runs / 50);
}

TEST(Wavelength, UnitsAndRefusals)
{
    EXPECT_DOUBLE_EQ(beam::parseWavelength("633").nm, 633);
    EXPECT_DOUBLE_EQ(beam::parseWavelength("632.8nm").nm, 632.8);
    EXPECT_DOUBLE_EQ(beam::parseWavelength("1.064um").nm, 1064);
    EXPECT_DOUBLE_EQ(beam::parseWavelength("1.064 \xC2\xB5m").nm, 1064);
    EXPECT_DOUBLE_EQ(beam::parseWavelength("0.532\xCE\xBCm").nm, 532);
    EXPECT_EQ(beam::parseWavelength("633pm").error,
              "unknown wavelength unit 'pm' in '633pm' (give nm or um, e.g. 633nm or 1.064um)");
    EXPECT_EQ(beam::parseWavelength("red").error, "wavelength 'red' does not start with a number");
    EXPECT_EQ(beam::parseWavelength("-633").error, "wavelength '-633' must be positive");
}

TEST(FrameNameZ, NumberBeforeMillimetres)
{
    EXPECT_EQ(beam::zFromFileName(QStringLiteral("/data/run 3/t-168mm.pgm")), 168.0);
    EXPECT_EQ(beam::zFromFileName(QStringLiteral("caustic_z12.5mm_2.png")), 12.5);
    EXPECT_EQ(beam::zFromFileName(QStringLiteral("f200mm_z35MM.tif")), 35.0);
    EXPECT_EQ(beam::zFromFileName(QStringLiteral("z=-5mm.png")), -5.0);
    EXPECT_EQ(beam::zFromFileName(QStringLiteral("-7.25 mm.bmp")), -7.25);
    EXPECT_EQ(beam::zFromFileName(QStringLiteral("beam_-3mm.png")), -3.0);
    EXPECT_EQ(beam::zFromFileName(QStringLiteral("/tmp/12mm/frame.png")), std::nullopt);
    EXPECT_EQ(beam::zFromFileName(QStringLiteral("frame_12.png")), std::nullopt);
}
