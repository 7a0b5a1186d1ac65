// lumetra-cli beam --widths all on analytic beams: every width and shape figure against what the
// continuous beam gives (support/BeamShapeOracle), noise-free and with 1 % noise, 8 and 16 bits.
#include "support/BeamShapeOracle.h"
#include "support/CliRunner.h"
#include "support/FrameWriters.h"
#include "support/SyntheticBeam.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <numbers>

using namespace lumetra::test;
using Json = nlohmann::json;

namespace {

enum class Check { Relative, Absolute, Above, Below, Null };

struct Expect
{
    std::string field;
    double value = 0;
    double tolerance = 0;
    Check check = Check::Relative;
};

struct WidthCase
{
    std::string name;
    Scene scene;
    std::vector<Expect> expects;
};

Scene scene(Spot spot, int bits, bool noisy)
{
    Scene s;
    s.bitDepth = bits;
    s.darkLevel = bits == 16 ? 800 : 10;
    spot.peak = bits == 16 ? 40000 : 200;
    s.noise = noisy ? 0.01 * spot.peak : 0;
    s.spots = {spot};
    return s;
}

std::string label(const Scene &s)
{
    return std::to_string(s.bitDepth) + "-bit" + (s.noise > 0 ? ", 1 % noise" : ", noise-free");
}

// Every width of a beam that is 2w along both principal axes (within 1 %).
void allWidths(std::vector<Expect> &e, double major, double minor)
{
    for (const char *f : {"d_major", "knife_major", "clip_major", "gauss_major"})
        e.push_back({f, major, 0.01});
    for (const char *f : {"d_minor", "knife_minor", "clip_minor", "gauss_minor"})
        e.push_back({f, minor, 0.01});
}

std::vector<WidthCase> cases()
{
    std::vector<WidthCase> c;
    const ShapeTruth g = gaussianTruth(160);
    for (const auto &[bits, noisy] : {std::pair{16, false}, std::pair{8, true}, std::pair{16, true}}) {
        WidthCase w{"Gaussian 2w = 160", scene(Spot{SpotShape::Gaussian, 320.4, 240.3, 160, 160, 0, 0}, bits, noisy), {}};
        allWidths(w.expects, 160, 160);
        w.expects.push_back({"d86", g.d86, 0.01});
        w.expects.push_back({"knife_x", 160, 0.01});
        w.expects.push_back({"knife_y", 160, 0.01});
        w.expects.push_back({"fwhm_major", g.fwhm, 0.01});
        w.expects.push_back({"gauss_r2", 0.999, 0, Check::Above});
        w.expects.push_back({"iso_effective_area", g.effectiveArea, 0.01});
        w.expects.push_back({"iso_flatness", g.flatness, 0.01});
        w.expects.push_back({"iso_uniformity", g.uniformity, 0.01, Check::Absolute});
        w.expects.push_back({"iso_edge_steepness", g.edgeSteepness, 0.01, Check::Absolute});
        w.expects.push_back({"iso_plateau_uniformity", 0, 0, Check::Null});
        c.push_back(w);
    }
    // Elliptical, turned: the principal-axis widths are 2w, x and y the projections.
    for (const auto &[bits, phi] : {std::pair{16, 30.0}, std::pair{8, -50.0}}) {
        WidthCase w{"elliptical Gaussian 160 x 90 at " + std::to_string(int(phi)) + "°",
                    scene(Spot{SpotShape::Gaussian, 300.7, 250.2, 160, 90, phi, 0}, bits, true), {}};
        allWidths(w.expects, 160, 90);
        const double a = phi * std::numbers::pi / 180;
        const double sx = std::hypot(40 * std::cos(a), 22.5 * std::sin(a));
        const double sy = std::hypot(40 * std::sin(a), 22.5 * std::cos(a));
        w.expects.push_back({"knife_x", 4 * sx, 0.01});
        w.expects.push_back({"knife_y", 4 * sy, 0.01});
        w.expects.push_back({"d86", ellipticalGaussianD86(160, 90), 0.01});
        w.expects.push_back({"gauss_phi_deg", phi, 0.5, Check::Absolute});
        w.expects.push_back({"gauss_x", 300.7, 0.2, Check::Absolute});
        w.expects.push_back({"gauss_y", 250.2, 0.2, Check::Absolute});
        w.expects.push_back({"gauss_r2", 0.999, 0, Check::Above});
        c.push_back(w);
    }
    const double radius = 80;
    const ShapeTruth d = discTruth(radius);
    for (const auto &[bits, noisy] : {std::pair{8, false}, std::pair{16, true}}) {
        WidthCase w{"uniform disc R = 80", scene(Spot{SpotShape::Disc, 319.6, 241.2, 160, 160, 0, 0}, bits, noisy), {}};
        for (const char *f : {"d_major", "d_minor", "clip_major", "clip_minor", "fwhm_major", "fwhm_minor"})
            w.expects.push_back({f, 2 * radius, 0.01});
        w.expects.push_back({"d86", 2 * radius * std::sqrt(0.865), 0.01});
        for (const char *f : {"knife_x", "knife_y", "knife_major", "knife_minor"})
            w.expects.push_back({f, d.knife, 0.01});
        w.expects.push_back({"iso_effective_area", std::numbers::pi * radius * radius, 0.01});
        w.expects.push_back({"iso_flatness", 1, 0.01});
        w.expects.push_back({"iso_uniformity", 0, 0.015, Check::Absolute});
        w.expects.push_back({"iso_edge_steepness", 0, 0.02, Check::Absolute});
        w.expects.push_back({"gauss_r2", 0.95, 0, Check::Below});
        c.push_back(w);
    }
    // Super-Gaussian flat top of order 20 in r.
    const ShapeTruth s = superGaussianTruth(100);
    for (const auto &[bits, noisy] : {std::pair{16, false}, std::pair{16, true}, std::pair{8, true}}) {
        WidthCase w{"super-Gaussian flat top D = 200", scene(Spot{SpotShape::FlatTop, 320.2, 239.7, 200, 200, 0, 0}, bits, noisy), {}};
        for (const char *f : {"d_major", "d_minor"})
            w.expects.push_back({f, s.d4s, 0.01});
        for (const char *f : {"clip_major", "clip_minor"})
            w.expects.push_back({f, s.clip, 0.01});
        for (const char *f : {"fwhm_major", "fwhm_minor"})
            w.expects.push_back({f, s.fwhm, 0.01});
        for (const char *f : {"knife_x", "knife_y", "knife_major", "knife_minor"})
            w.expects.push_back({f, s.knife, 0.01});
        w.expects.push_back({"d86", s.d86, 0.01});
        w.expects.push_back({"iso_effective_area", s.effectiveArea, 0.01});
        w.expects.push_back({"iso_flatness", s.flatness, 0.01});
        w.expects.push_back({"iso_uniformity", s.uniformity, 0.01, Check::Absolute});
        w.expects.push_back({"iso_edge_steepness", s.edgeSteepness, noisy ? 0.02 : 0.01, Check::Absolute});
        // Noise-free the plateau peak is one histogram bin (1 % of E_max) wide; with noise it is
        // the noise's FWHM, 2.355 σ.
        if (noisy)
            w.expects.push_back({"iso_plateau_uniformity", 2.355 * 0.01, 0.3});
        else
            w.expects.push_back({"iso_plateau_uniformity", 0.02, 0, Check::Below});
        c.push_back(w);
    }
    WidthCase tem{"TEM01 two lobes, 2w = 140 x 100", scene(Spot{SpotShape::Tem01, 310, 245, 140, 100, 10, 0}, 16, false), {}};
    tem.expects.push_back({"gauss_r2", 0.9, 0, Check::Below});
    tem.expects.push_back({"iso_plateau_uniformity", 0, 0, Check::Null});
    c.push_back(tem);
    return c;
}

QString writeFrame(const QTemporaryDir &dir, int index, const Scene &s)
{
    const SyntheticFrame f = makeFrame(s);
    std::vector<unsigned> samples(f.frame.values.begin(), f.frame.values.end());
    const QString path = dir.filePath(QStringLiteral("case%1.pgm").arg(index));
    EXPECT_TRUE(writeBytes(path, netpbmBytes(s.width, s.height, 1, s.bitDepth == 16 ? 65535 : 255, false, samples)));
    return path;
}

} // namespace

// The analytic table: every case's figures against the continuous beam, printed as it goes.
TEST(BeamWidthsCommand, AnalyticBeamsThroughTheCommand)
{
    QTemporaryDir dir;
    const std::vector<WidthCase> all = cases();
    QStringList args{QStringLiteral("beam"), QStringLiteral("--widths"), QStringLiteral("all"), QStringLiteral("--pixel-size"),
                     QStringLiteral("2")};
    for (std::size_t i = 0; i < all.size(); ++i)
        args << writeFrame(dir, int(i), all[i].scene);
    const CliResult run = runCli(args);
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const Json rows = Json::parse(run.out.toStdString());
    ASSERT_EQ(rows.size(), all.size());

    std::printf("%-34s %-20s %-22s %12s %12s %8s\n", "beam", "frame", "figure", "expected", "measured", "diff");
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Json &row = rows[i];
        ASSERT_EQ(row["status"], "ok") << all[i].name;
        for (const Expect &e : all[i].expects) {
            SCOPED_TRACE(all[i].name + " " + label(all[i].scene) + ": " + e.field);
            ASSERT_TRUE(row.contains(e.field));
            if (e.check == Check::Null) {
                EXPECT_TRUE(row[e.field].is_null());
                std::printf("%-34s %-20s %-22s %12s %12s\n", all[i].name.c_str(), label(all[i].scene).c_str(),
                            e.field.c_str(), "null", row[e.field].is_null() ? "null" : row[e.field].dump().c_str());
                continue;
            }
            ASSERT_TRUE(row[e.field].is_number()) << row[e.field].dump();
            const double m = row[e.field].get<double>();
            char diff[32] = "";
            switch (e.check) {
            case Check::Relative:
                EXPECT_NEAR(m, e.value, e.tolerance * std::abs(e.value));
                std::snprintf(diff, sizeof diff, "%+.2f %%", 100 * (m - e.value) / e.value);
                break;
            case Check::Absolute:
                EXPECT_NEAR(m, e.value, e.tolerance);
                std::snprintf(diff, sizeof diff, "%+.4f", m - e.value);
                break;
            case Check::Above:
                EXPECT_GT(m, e.value);
                std::snprintf(diff, sizeof diff, "> %g", e.value);
                break;
            case Check::Below:
                EXPECT_LT(m, e.value);
                std::snprintf(diff, sizeof diff, "< %g", e.value);
                break;
            case Check::Null:
                break;
            }
            std::printf("%-34s %-20s %-22s %12.4f %12.4f %8s\n", all[i].name.c_str(), label(all[i].scene).c_str(),
                        e.field.c_str(), e.value, m, diff);
        }
    }
    // The µm fields follow the pixel size.
    const Json &first = rows[0];
    EXPECT_DOUBLE_EQ(first["d86_um"].get<double>(), 2 * first["d86"].get<double>());
    EXPECT_DOUBLE_EQ(first["gauss_minor_um"].get<double>(), 2 * first["gauss_minor"].get<double>());
    EXPECT_DOUBLE_EQ(first["iso_effective_area_um2"].get<double>(), 4 * first["iso_effective_area"].get<double>());
}

// Without the option the output is the D4σ row alone; with it, CSV gains the columns, frames
// without a beam or unreadable ones get empty figures, and other values of the option are refused.
TEST(BeamWidthsCommand, OptionAddsColumnsAndRefusesOtherValues)
{
    QTemporaryDir dir;
    const QString beam = writeFrame(dir, 0, scene(Spot{SpotShape::Gaussian, 300, 240, 120, 80, 20, 0}, 8, true));
    Scene dark = scene(Spot{}, 8, true);
    dark.spots.clear();
    const QString none = writeFrame(dir, 1, dark);
    const QString broken = dir.filePath(QStringLiteral("broken.png"));
    ASSERT_TRUE(writeBytes(broken, "not a picture"));

    const CliResult plain = runCli({"beam", beam, "--format", "csv"});
    ASSERT_EQ(plain.exitCode, 0) << qPrintable(plain.err);
    EXPECT_FALSE(plain.out.contains(QStringLiteral("d86")));
    EXPECT_TRUE(plain.out.startsWith(QStringLiteral("image,status,")));

    const CliResult csv = runCli({"beam", beam, none, broken, "--widths", "all", "--format", "csv"});
    EXPECT_EQ(csv.exitCode, 2); // the unreadable file
    const QStringList lines = csv.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    const QStringList header = lines[0].split(QLatin1Char(','));
    // The widths follow the beam's own fields; the method, the stripe correction and the
    // warnings stay last.
    EXPECT_EQ(header.mid(header.size() - 4),
              QStringList({QStringLiteral("iso_edge_steepness"), QStringLiteral("method"),
                           QStringLiteral("stripe_correction"), QStringLiteral("warnings")}));
    EXPECT_EQ(header.indexOf(QStringLiteral("d86")), header.indexOf(QStringLiteral("background_warning")) + 1);
    const qsizetype d86 = header.indexOf(QStringLiteral("d86"));
    EXPECT_FALSE(lines[1].split(QLatin1Char(','))[d86].isEmpty());
    EXPECT_TRUE(lines[2].split(QLatin1Char(','))[d86].isEmpty()); // no beam
    EXPECT_TRUE(lines[3].split(QLatin1Char(','))[d86].isEmpty()); // unreadable
    for (const QString &line : lines)
        EXPECT_EQ(line.count(QLatin1Char(',')), header.size() - 1) << qPrintable(line);

    const CliResult wrong = runCli({"beam", beam, "--widths", "d86"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("--widths"))) << qPrintable(wrong.err);
    EXPECT_TRUE(wrong.out.isEmpty());
}
