// lumetra-cli beam run as a user runs it, on frames the tests write.
#include "support/CliRunner.h"
#include "support/FrameWriters.h"
#include "support/SyntheticBeam.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <cmath>

using lumetra::test::CliResult;
using lumetra::test::runCli;
using Json = nlohmann::json;
using namespace lumetra::test;

namespace {

const std::vector<std::string> Fields = {
    "image", "status", "width", "height", "bit_depth", "peak", "saturated_pixels", "background",
    "background_noise", "centroid_x", "centroid_y", "d_major", "d_minor", "d_x", "d_y", "phi_deg",
    "ellipticity", "iterations", "converged", "background_warning", "method", "stripe_correction", "warnings"};

class BeamCommand : public ::testing::Test
{
protected:
    // A 16-bit PGM of the scene; returns its path and the scene's truth.
    QString pgm(const QString &name, const Scene &scene, BeamTruth *truth = nullptr)
    {
        const SyntheticFrame f = makeFrame(scene);
        std::vector<unsigned> samples(f.frame.values.begin(), f.frame.values.end());
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeBytes(path, netpbmBytes(scene.width, scene.height, 1,
                                                 scene.bitDepth == 16 ? 65535 : 255, false, samples)));
        if (truth)
            *truth = f.truth;
        return path;
    }

    Scene beam16()
    {
        Scene s;
        s.bitDepth = 16;
        s.darkLevel = 900;
        s.noise = 150;
        s.spots = {Spot{SpotShape::Gaussian, 300.5, 220.25, 120, 70, 35, 30000}};
        return s;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(BeamCommand, OneFrameGivesOneObjectWithEveryFieldInOrder)
{
    BeamTruth truth;
    const QString path = pgm("b.pgm", beam16(), &truth);
    const CliResult run = runCli({"beam", path, "--pixel-size", "5.5"});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.err.isEmpty()) << qPrintable(run.err);
    const Json j = Json::parse(run.out.toStdString());
    ASSERT_TRUE(j.is_object());
    // Field order as printed.
    std::size_t at = 0;
    for (const std::string &f : Fields) {
        const std::size_t found = run.out.toStdString().find("\"" + f + "\"", at);
        ASSERT_NE(found, std::string::npos) << f;
        at = found;
    }
    EXPECT_EQ(j["status"], "ok");
    EXPECT_EQ(j["width"], 640);
    EXPECT_EQ(j["bit_depth"], 16);
    EXPECT_NEAR(j["d_major"].get<double>(), truth.dMajor, 0.02 * truth.dMajor);
    EXPECT_NEAR(j["d_minor"].get<double>(), truth.dMinor, 0.02 * truth.dMinor);
    EXPECT_NEAR(j["centroid_x"].get<double>(), truth.cx, 0.5);
    EXPECT_NEAR(j["phi_deg"].get<double>(), 35.0, 1.0);
    EXPECT_DOUBLE_EQ(j["pixel_size_um"].get<double>(), 5.5);
    EXPECT_NEAR(j["d_major_um"].get<double>(), 5.5 * j["d_major"].get<double>(), 1e-9);
    EXPECT_TRUE(j["converged"].get<bool>());
    EXPECT_TRUE(j["saturated_pixels"].is_number_integer());
}

TEST_F(BeamCommand, SeveralFramesInOrderWithNoBeamAndUnreadableRows)
{
    Scene empty = beam16();
    empty.spots.clear();
    const QString ok = pgm("a.pgm", beam16());
    const QString none = pgm("none.pgm", empty);
    const QString broken = dir.filePath("broken.pgm");
    ASSERT_TRUE(writeBytes(broken, "P5\n640 480\n255\n\x01"));
    const CliResult run = runCli({"beam", none, broken, ok});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << qPrintable(run.err);
    EXPECT_TRUE(run.err.contains(QLatin1String("broken.pgm")));
    const Json j = Json::parse(run.out.toStdString());
    ASSERT_TRUE(j.is_array());
    ASSERT_EQ(j.size(), 3u);
    EXPECT_EQ(j[0]["status"], "no beam");
    EXPECT_TRUE(j[0]["d_major"].is_null());
    EXPECT_TRUE(j[0]["peak"].is_number());
    EXPECT_EQ(j[1]["status"], "unreadable");
    EXPECT_TRUE(j[1]["width"].is_null());
    EXPECT_EQ(j[2]["status"], "ok");
    EXPECT_EQ(j[2]["image"], ok.toStdString());

    const CliResult csv = runCli({"beam", ok, none, "--format", "csv"});
    ASSERT_EQ(csv.exitCode, 0) << qPrintable(csv.err);
    const QStringList lines = csv.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    std::string header;
    for (const std::string &f : Fields)
        header += (header.empty() ? "" : ",") + f;
    EXPECT_EQ(lines[0].toStdString(), header);
    EXPECT_EQ(lines[1].split(QLatin1Char(',')).size(), int(Fields.size()));
    EXPECT_TRUE(lines[1].contains(QLatin1String(",ok,")));
    EXPECT_TRUE(lines[2].contains(QLatin1String(",no beam,")));
    EXPECT_TRUE(lines[2].endsWith(QLatin1String(",,,,,,,,,,,robust,,"))) << qPrintable(lines[2]);
}

TEST_F(BeamCommand, DarkFrameAndWrongOptions)
{
    Scene s = beam16();
    s.fixedPattern = 400;
    s.tiltX = 3;
    BeamTruth truth;
    const QString frame = pgm("f.pgm", s, &truth);
    const lumetra::beam::BeamFrame darkFrame = makeDarkFrame(s);
    const QString dark = dir.filePath("dark.pgm");
    ASSERT_TRUE(writeBytes(dark, netpbmBytes(s.width, s.height, 1, 65535, false,
                                             std::vector<unsigned>(darkFrame.values.begin(), darkFrame.values.end()))));
    const CliResult run = runCli({"beam", frame, "--dark", dark});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const Json j = Json::parse(run.out.toStdString());
    EXPECT_NEAR(j["d_major"].get<double>(), truth.dMajor, 0.02 * truth.dMajor);
    EXPECT_FALSE(j["background_warning"].get<bool>());

    const QStringList wrong[] = {{"beam"},
                                 {"beam", frame, "--format", "xml"},
                                 {"beam", frame, "--pixel-size", "-1"},
                                 {"beam", frame, "--corner-fraction", "0.7"},
                                 {"beam", frame, "--noise-factor", "abc"},
                                 {"beam", frame, "--mask-diameters"},
                                 {"beam", frame, "--method", "textbook"},
                                 {"beam", frame, "--stripes", "on"},
                                 {"beam", frame, "--frobnicate", "1"},
                                 {"beam", frame, "--dark", dir.filePath("nothere.pgm")}};
    for (const QStringList &args : wrong) {
        const CliResult bad = runCli(args);
        EXPECT_EQ(bad.exitCode, 2) << qPrintable(args.join(' '));
        EXPECT_TRUE(bad.out.isEmpty()) << qPrintable(args.join(' '));
        EXPECT_EQ(bad.err.count(QLatin1Char('\n')), 1) << qPrintable(bad.err);
    }
}

TEST_F(BeamCommand, MethodAndStripeCorrectionAreChosenAndReported)
{
    // A CCD frame with the beam's smear down its columns (3 % of the peak).
    Scene s = beam16();
    s.smear = 900;
    s.smearFollowsBeam = true;
    BeamTruth truth;
    const QString frame = pgm("smear.pgm", s, &truth);
    const auto measure = [&](const QStringList &options) {
        const CliResult run = runCli(QStringList{"beam", frame, "--pixel-size", "5"} + options);
        EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
        return Json::parse(run.out.toStdString());
    };
    const Json automatic = measure({});
    EXPECT_EQ(automatic["method"], "robust");
    EXPECT_EQ(automatic["stripe_correction"], "columns");
    EXPECT_NEAR(automatic["d_major"].get<double>(), truth.dMajor, 0.03 * truth.dMajor);
    // The new fields come after every earlier one, the micrometres included.
    const QString printed = runCli({"beam", frame, "--pixel-size", "5"}).out;
    EXPECT_GT(printed.indexOf(QLatin1String("\"method\"")), printed.indexOf(QLatin1String("\"d_y_um\"")));
    EXPECT_GT(printed.indexOf(QLatin1String("\"stripe_correction\"")), printed.indexOf(QLatin1String("\"method\"")));
    const Json off = measure({"--stripes", "off"});
    EXPECT_TRUE(off["stripe_correction"].is_null());
    EXPECT_GT(off["d_minor"].get<double>(), 1.2 * truth.dMinor);
    const Json iso = measure({"--method", "iso", "--stripes", "auto"});
    EXPECT_EQ(iso["method"], "iso");
    EXPECT_EQ(iso["stripe_correction"], "columns");
    EXPECT_NEAR(iso["d_major"].get<double>(), truth.dMajor, 0.05 * truth.dMajor);

    const CliResult csv = runCli({"beam", frame, "--method", "iso", "--format", "csv"});
    ASSERT_EQ(csv.exitCode, 0) << qPrintable(csv.err);
    EXPECT_TRUE(csv.out.trimmed().endsWith(QLatin1String(",iso,columns,"))) << qPrintable(csv.out);
}
