// lumetra-cli m2 on frames: each measured as `beam` measures it, z from a list or the names.
#include "support/CausticOracle.h"
#include "support/CliRunner.h"

#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>
#include <functional>
#include <set>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

using lumetra::test::KnownCaustic;
using lumetra::test::runCli;

namespace {

constexpr double PixelUm = 10;

// Frames through a focus, named "t-<z>mm.png": x and y have their own caustics; with a tilt the
// caustics belong to the major and minor axes instead.
class M2Frames : public ::testing::Test
{
protected:
    // `change` may alter the frame with the given index (saturate it, smear it).
    QStringList writeFrames(double tiltDeg = 0,
                            const std::function<void(int, lumetra::test::CausticFrameSpec &)> &change = {})
    {
        QStringList paths;
        const double zr = major.zrMm();
        const double offsets[] = {-3.0, -2.6, -2.2, -0.9, -0.45, 0, 0.45, 0.9, 2.2, 2.6, 3.0};
        for (double offset : offsets) {
            const double zMm = std::round((major.z0Mm + offset * zr) * 10) / 10;
            z.push_back(zMm);
            lumetra::test::CausticFrameSpec spec;
            spec.pixelUm = PixelUm;
            spec.tiltDeg = tiltDeg;
            spec.seed = unsigned(paths.size() + 1);
            if (change)
                change(int(paths.size()), spec);
            const QString path = dir.filePath(QStringLiteral("t-%1mm.png").arg(zMm));
            EXPECT_TRUE(lumetra::test::writeCausticFrame(path, major, minor, zMm, spec));
            paths << path;
        }
        return paths;
    }

    nlohmann::json m2(const QStringList &args)
    {
        const auto run = runCli(QStringList{QStringLiteral("m2"), QStringLiteral("--wavelength"),
                                            QStringLiteral("1064"), QStringLiteral("--pixel-size"),
                                            QString::number(PixelUm)} +
                                args);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.exitCode == 0 ? nlohmann::json::parse(run.out.toStdString()) : nlohmann::json();
    }

    QTemporaryDir dir;
    // The waist (d0 = 300 um, 30 px) and the far field (about 95 px) fit in 400 x 400 frames.
    const KnownCaustic major{1.5, 1064, 300, 150};
    const KnownCaustic minor{1.2, 1064, 240, 150};
    std::vector<double> z;
};

} // namespace

TEST_F(M2Frames, MeasuresEachFrameAndFitsBothAxes)
{
    const QStringList frames = writeFrames();
    const nlohmann::json byName = m2(frames + QStringList{QStringLiteral("--z-from-names")});
    ASSERT_TRUE(byName.is_object());
    EXPECT_EQ(byName["axes"], "lab");
    // The measured diameters are within a few per cent of the true second moments, so M² is too.
    EXPECT_NEAR(byName["x"]["m2"].get<double>(), major.m2, 0.05 * major.m2);
    EXPECT_NEAR(byName["y"]["m2"].get<double>(), minor.m2, 0.05 * minor.m2);
    EXPECT_NEAR(byName["x"]["z0_mm"].get<double>(), major.z0Mm, 0.02 * major.zrMm());
    EXPECT_NEAR(byName["x"]["d0_um"].get<double>(), major.d0Um, 0.03 * major.d0Um);
    EXPECT_EQ(byName["x"]["iso_valid"], true);
    ASSERT_EQ(byName["frames"].size(), frames.size());
    for (std::size_t i = 0; i < z.size(); ++i) {
        const nlohmann::json &row = byName["frames"][i];
        EXPECT_EQ(row["z_mm"], z[i]);
        EXPECT_EQ(row["status"], "ok");
        EXPECT_EQ(row["image"], frames[qsizetype(i)].toStdString());
        EXPECT_NEAR(row["d_x_um"].get<double>(), major.diameterAt(z[i]), 0.03 * major.diameterAt(z[i]));
    }

    // The same z as a list gives the same answer.
    QStringList zList;
    for (double value : z)
        zList << QString::number(value, 'g', 17);
    const nlohmann::json byList = m2(frames + QStringList{QStringLiteral("--z"), zList.join(QLatin1Char(','))});
    EXPECT_EQ(byList["x"], byName["x"]);
    EXPECT_EQ(byList["y"], byName["y"]);
}

TEST_F(M2Frames, PrincipalAxesOfATiltedBeam)
{
    const QStringList frames = writeFrames(30);
    const nlohmann::json lab = m2(frames + QStringList{QStringLiteral("--z-from-names")});
    const nlohmann::json principal =
        m2(frames + QStringList{QStringLiteral("--z-from-names"), QStringLiteral("--axes"), QStringLiteral("principal")});
    EXPECT_EQ(principal["axes"], "principal");
    EXPECT_NEAR(principal["x"]["m2"].get<double>(), major.m2, 0.05 * major.m2);
    EXPECT_NEAR(principal["y"]["m2"].get<double>(), minor.m2, 0.05 * minor.m2);
    // Along the rows and columns the tilted beam's two caustics are mixed.
    EXPECT_LT(lab["x"]["m2"].get<double>(), major.m2 * 0.97);
    EXPECT_GT(lab["y"]["m2"].get<double>(), minor.m2 * 1.03);
}

TEST_F(M2Frames, ErrorsNameTheFile)
{
    const QStringList frames = writeFrames();
    const auto refuse = [](const QStringList &args) {
        const auto run = runCli(QStringList{QStringLiteral("m2"), QStringLiteral("--wavelength"),
                                            QStringLiteral("633")} +
                                args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
        return run.err.trimmed();
    };
    const QStringList pixel{QStringLiteral("--pixel-size"), QStringLiteral("10")};
    EXPECT_EQ(refuse(frames.mid(0, 3) + pixel + QStringList{QStringLiteral("--z"), QStringLiteral("1,2")}),
              QStringLiteral("lumetra-cli m2: --z gives 2 positions for 3 images"));

    const QString unnamed = dir.filePath(QStringLiteral("frame-a.png"));
    QFile::copy(frames[0], unnamed);
    EXPECT_EQ(refuse(QStringList{frames[0], unnamed} + pixel + QStringList{QStringLiteral("--z-from-names")}),
              QStringLiteral("lumetra-cli m2: %1: no z in the file name (a number before \"mm\", as in t-168mm.pgm)")
                  .arg(unnamed));

    const QString empty = dir.filePath(QStringLiteral("t-999mm.png"));
    ASSERT_TRUE(lumetra::test::writeDarkFrame(empty, {}));
    EXPECT_EQ(refuse(frames + QStringList{empty} + pixel + QStringList{QStringLiteral("--z-from-names")}),
              QStringLiteral("lumetra-cli m2: %1: no beam in the frame").arg(empty));

    const QString missing = dir.filePath(QStringLiteral("t-5mm.png"));
    EXPECT_TRUE(refuse(frames + QStringList{missing} + pixel + QStringList{QStringLiteral("--z-from-names")})
                    .contains(missing));
    EXPECT_EQ(refuse(frames + QStringList{QStringLiteral("--z-from-names")}),
              QStringLiteral("lumetra-cli m2: --pixel-size UM is needed to give the diameters in micrometres"));
}

TEST_F(M2Frames, FramesWithBeamWarningsAreCountedListedAndCanBeLeftOut)
{
    // Two far-field frames saturate; one near the waist is smeared and has its stripes taken out.
    const std::set<int> saturated = {1, 9};
    const QStringList frames = writeFrames(0, [&](int i, lumetra::test::CausticFrameSpec &spec) {
        if (saturated.contains(i))
            spec.peak = 1.5;
        if (i == 4)
            spec.smear = 0.03;
    });
    const QStringList byName{QStringLiteral("--z-from-names")};
    const nlohmann::json all = m2(frames + byName);
    ASSERT_EQ(all["frames"].size(), frames.size());
    int warned = 0;
    for (int i = 0; i < int(frames.size()); ++i) {
        const nlohmann::json &row = all["frames"][std::size_t(i)];
        SCOPED_TRACE(i);
        const std::vector<std::string> warnings = row["warnings"];
        warned += !warnings.empty();
        EXPECT_EQ(std::ranges::count(warnings, "saturated"), saturated.contains(i) ? 1 : 0);
        EXPECT_EQ(row["stripe_correction"], i == 4 ? "columns" : "none");
        EXPECT_EQ(row["fitted"], true);
    }
    EXPECT_EQ(all["frames_with_warnings"], warned);
    EXPECT_EQ(warned, 2);
    EXPECT_EQ(all["x"]["points"], 11);

    // Left out, the warned frames stay listed; the fit is the one of the clean frames alone.
    const nlohmann::json clean = m2(frames + byName + QStringList{QStringLiteral("--exclude-warned")});
    EXPECT_EQ(clean["frames_with_warnings"], 2);
    QStringList cleanFrames;
    for (int i = 0; i < int(frames.size()); ++i) {
        EXPECT_EQ(clean["frames"][std::size_t(i)]["fitted"], !saturated.contains(i));
        if (!saturated.contains(i))
            cleanFrames << frames[i];
    }
    const nlohmann::json alone = m2(cleanFrames + byName);
    EXPECT_EQ(clean["x"], alone["x"]);
    EXPECT_EQ(clean["y"], alone["y"]);
    EXPECT_EQ(clean["x"]["points"], 9);
    EXPECT_NE(clean["x"], all["x"]);
}
