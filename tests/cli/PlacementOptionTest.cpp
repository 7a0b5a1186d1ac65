// --placement of the workspace commands on a picture larger than 640 x 480.
#include "analysis/picture/FrameGreyImage.h"
#include "support/CliRunner.h"
#include "support/FrameWriters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <cmath>
#include <vector>

using lumetra::test::runCli;

namespace {

using Json = nlohmann::json;

class PlacementOption : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // 1280 x 960 12-bit PGM (maxval 4095), a spot at (900, 200) on a gentle ramp.
        samples.resize(std::size_t(W) * H);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const double r2 = std::pow(x - 900.0, 2) + std::pow(y - 200.0, 2);
                samples[std::size_t(y) * W + x] = unsigned(100 + (x + y) % 50 + 3500 * std::exp(-r2 / (2 * 40.0 * 40.0)));
            }
        pgm = QDir(dir.path()).filePath(QStringLiteral("spot.pgm"));
        ASSERT_TRUE(lumetra::test::writeBytes(pgm, lumetra::test::netpbmBytes(W, H, 1, 4095, false, samples)));
    }
    int greyAt(int x, int y) const { return lumetra::workspaceGreyLevel(samples[std::size_t(y) * W + x], 4095); }

    static constexpr int W = 1280, H = 960;
    QTemporaryDir dir;
    std::vector<unsigned> samples;
    QString pgm;
};

TEST_F(PlacementOption, ProfileOnTheBeamKeepsWorkspacePositionsAndNamesTheOffset)
{
    const auto plain = runCli({"profile", pgm, "--row", "240"});
    const auto topLeft = runCli({"profile", pgm, "--row", "240", "--placement", "top-left"});
    ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    EXPECT_EQ(plain.out, topLeft.out);
    const Json p = Json::parse(plain.out.toStdString());
    EXPECT_FALSE(p.contains("offset_x"));
    EXPECT_FALSE(p.contains("scale"));
    EXPECT_EQ(p["rows"][99]["raw"], greyAt(100, 240)); // position -220 is column 100

    const auto run = runCli({"profile", pgm, "--row", "240", "--placement", "beam"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const Json j = Json::parse(run.out.toStdString());
    EXPECT_EQ(j["offset_x"], 580);
    EXPECT_EQ(j["offset_y"], 0); // the beam sits 200 rows down: the window starts at the top edge
    EXPECT_FALSE(j.contains("scale"));
    EXPECT_EQ(j["cut"], 240);
    for (int column : {1, 320, 639})
        EXPECT_EQ(j["rows"][column - 1]["raw"], greyAt(580 + column, 240)) << column;
}

TEST_F(PlacementOption, FitReportsTheScaleInGrid3dAndTableAndFilterWritesTheScaledPicture)
{
    const auto grid = runCli({"grid3d", pgm, "--region", "400,50,560,150", "--factor", "10", "--placement", "fit"});
    ASSERT_EQ(grid.exitCode, 0) << grid.err.toStdString();
    const Json g = Json::parse(grid.out.toStdString());
    EXPECT_DOUBLE_EQ(g["scale"].get<double>(), 0.5);
    EXPECT_FALSE(g.contains("offset_x"));

    const QString xlsx = QDir(dir.path()).filePath(QStringLiteral("t.xlsx"));
    const auto table = runCli({"table", pgm, "--row", "100", "--placement", "beam", xlsx});
    ASSERT_EQ(table.exitCode, 0) << table.err.toStdString();
    EXPECT_TRUE(table.out.contains(QStringLiteral(", offset 580,0"))) << table.out.toStdString();

    const QString out = QDir(dir.path()).filePath(QStringLiteral("fit.png"));
    const auto filter = runCli({"filter", pgm, "blur1", out, "--placement", "fit"});
    ASSERT_EQ(filter.exitCode, 0) << filter.err.toStdString();
    const QImage written(out);
    ASSERT_EQ(written.size(), QSize(640, 480));
    // The spot, halved in size, now lies around (450, 100) and stays the brightest part.
    EXPECT_GT(qGray(written.pixel(450, 100)), qGray(written.pixel(100, 400)) + 100);

    const auto bad = runCli({"profile", pgm, "--row", "1", "--placement", "centre"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("top-left, beam or fit"))) << bad.err.toStdString();
}

TEST_F(PlacementOption, AFittedPictureIsMeasuredInItsOwnPixelsAndEndsWhereItDoes)
{
    // 1280 x 480 fitted: half scale, 640 x 240 of the raster, the rows below are no data.
    std::vector<unsigned> wide(std::size_t(W) * 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < W; ++x)
            wide[std::size_t(y) * W + x] = samples[std::size_t(y) * W + x];
    const QString file = QDir(dir.path()).filePath(QStringLiteral("wide.pgm"));
    ASSERT_TRUE(lumetra::test::writeBytes(file, lumetra::test::netpbmBytes(W, 480, 1, 4095, false, wide)));

    const auto column = runCli({"profile", file, "--column", "450", "--placement", "fit"});
    ASSERT_EQ(column.exitCode, 0) << column.err.toStdString();
    const Json c = Json::parse(column.out.toStdString());
    EXPECT_DOUBLE_EQ(c["scale"].get<double>(), 0.5);
    ASSERT_EQ(c["rows"].size(), 239u);
    EXPECT_EQ(c["rows"][0]["position"], -478);
    EXPECT_EQ(c["rows"][238]["position"], -2);

    const auto row = runCli({"profile", file, "--row", "100", "--placement", "fit", "--format", "csv"});
    ASSERT_EQ(row.exitCode, 0) << row.err.toStdString();
    const QStringList lines = row.out.trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), 641);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("-638,"))) << lines[1].toStdString();

    // A 3D region reaching below the picture charts the picture's part only; one wholly below it none.
    const auto reaching = runCli({"grid3d", file, "--region", "400,150,560,300", "--factor", "10", "--placement", "fit"});
    const auto inside = runCli({"grid3d", file, "--region", "400,150,560,239", "--factor", "10", "--placement", "fit"});
    ASSERT_EQ(reaching.exitCode, 0) << reaching.err.toStdString();
    EXPECT_EQ(reaching.out, inside.out);
    const auto beyond = runCli({"grid3d", file, "--region", "100,300,200,400", "--factor", "10", "--placement", "fit"});
    EXPECT_EQ(beyond.exitCode, 2);
    EXPECT_TRUE(beyond.err.contains(QStringLiteral("beyond the fitted picture"))) << beyond.err.toStdString();
}

} // namespace
