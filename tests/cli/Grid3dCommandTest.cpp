// lumetra-cli grid3d, run as the operator would run it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <cmath>

namespace {

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The tool under test: LUMETRA_CLI, else the lumetra-cli built beside this test binary.
QString cliPath()
{
    const QString configured = qEnvironmentVariable("LUMETRA_CLI");
    return configured.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/lumetra-cli")
                                : configured;
}

CliRun runCli(const QStringList &args)
{
    QProcess process;
    process.start(cliPath(), args);
    CliRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

class Grid3dCommand : public ::testing::Test
{
protected:
    // A picture of grey `left` for x < split and grey `right` from there on.
    QString picture(int left, int right, int split = 320)
    {
        QImage image(640, 480, QImage::Format_RGB32);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const int g = x < split ? left : right;
                image.setPixel(x, y, qRgb(g, g, g));
            }
        const QString path = dir.filePath(QStringLiteral("picture.bmp"));
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }

    nlohmann::json grid(const QStringList &args)
    {
        const CliRun run = runCli(QStringList{QStringLiteral("grid3d")} + args);
        EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
        return nlohmann::json::parse(run.out.toStdString(), nullptr, false);
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(Grid3dCommand, TheHundredBySixtyDragAtFactorTenIsElevenBySeven)
{
    const auto j = grid({picture(100, 100), "--region", "200,100,300,160", "--factor", "10"});
    ASSERT_FALSE(j.is_discarded());
    EXPECT_EQ(j["range"], "A1:G11");
    EXPECT_EQ(j["rows"], 11);
    EXPECT_EQ(j["columns"], 7);
    ASSERT_EQ(j["cells"].size(), 11u);
    for (const auto &row : j["cells"])
        EXPECT_EQ(row.size(), 7u);
    // A uniform grey 100: the progress scan seeds its minimum with 15, so 100 is 100 % of 15..100.
    EXPECT_EQ(j["grey_min"], 15);
    EXPECT_EQ(j["grey_max"], 100);
    EXPECT_EQ(j["cells"][5][3], 100);
    // Drag direction does not matter; leading zeros in the factor do not either.
    EXPECT_EQ(grid({picture(100, 100), "--region", "300,160,200,100", "--factor", "010"}), j);
}

TEST_F(Grid3dCommand, CellsAverageBlocksAcrossAnEdgeAndReadZeroBelowTheMinimum)
{
    // Black left of column 320, grey 200 from it: range 15..200 (the seeded minimum).
    // Region (300, 100)-(340, 140), f = 4: row r's blocks span x 299 + 4(r - 1) .. 302 + 4(r - 1).
    const auto j = grid({picture(0, 200), "--region", "300,100,340,140", "--factor", "4"});
    ASSERT_FALSE(j.is_discarded());
    ASSERT_EQ(j["rows"], 11);
    // Below the range's bottom (black) reads 0 %: the scale starts there.
    const auto percent = [](double mean) { return std::max(0, static_cast<int>(std::floor(100 * (mean - 15) / 185))); };
    EXPECT_EQ(j["cells"][0][2], 0);            // x 299..302: all black
    EXPECT_EQ(j["cells"][5][2], percent(150)); // x 319..322: one black column of four
    EXPECT_EQ(j["cells"][6][2], percent(200)); // x 323..326
}

TEST_F(Grid3dCommand, CsvGivesTheSameGridOneRowALine)
{
    const QString image = picture(0, 200);
    const auto j = grid({image, "--region", "300,100,340,140", "--factor", "4"});
    const CliRun csv =
        runCli({"grid3d", image, "--region", "300,100,340,140", "--factor", "4", "--format", "csv"});
    ASSERT_EQ(csv.exitCode, 0);
    const QStringList lines = csv.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 11);
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList values = lines[r].split(QLatin1Char(','));
        ASSERT_EQ(values.size(), 11);
        for (int c = 0; c < values.size(); ++c)
            EXPECT_EQ(values[c].toInt(), j["cells"][r][c].get<int>()) << r << "," << c;
    }
}

TEST_F(Grid3dCommand, RegionsStopAtRow437)
{
    const auto j = grid({picture(100, 100), "--region", "100,100,200,470", "--factor", "10"});
    EXPECT_EQ(j["columns"], 34); // (437 - 100) / 10 + 1
    EXPECT_EQ(j["range"], "A1:AH11");
}

TEST_F(Grid3dCommand, CornersBeyondTheRightAndBottomEdgesAreLimitedAsTheReleaseLimitsThem)
{
    const QString image = picture(100, 100);
    const auto limited = grid({image, "--region", "600,400,640,437", "--factor", "2"});
    EXPECT_EQ(grid({image, "--region", "600,400,900,700", "--factor", "2"}), limited);
    EXPECT_EQ(grid({image, "--region", "900,700,600,400", "--factor", "2"}), limited);
    EXPECT_EQ(limited["columns"], 19); // (437 - 400) / 2 + 1
}

TEST_F(Grid3dCommand, BadRegionsAndFactorsAreOneLineAndExitTwo)
{
    const QString image = picture(100, 100);
    const QList<QStringList> bad = {
        {"--region", "200,100,215,160", "--factor", "10"}, // 15 wide
        {"--region", "200,100,300,115", "--factor", "10"}, // 15 high
        {"--region", "200,100,200,160", "--factor", "10"}, // no width
        {"--region", "200,100,300,160", "--factor", "5"},
        {"--region", "200,100,300,160", "--factor", "12"},
        {"--region", "200,100,300,160", "--factor", "0"},
        {"--region", "200,100,300,160", "--factor", "abc"},
        {"--region", "200,100,300", "--factor", "4"},
        {"--region", "200,-100,300,160", "--factor", "4"},
        {"--region", "100,440,200,470", "--factor", "4"}, // wholly below row 437
        {"--region", "200,100,300,160"},
        {"--region", "200,100,300,160", "--factor", "4", "--format", "xml"},
    };
    for (const QStringList &args : bad) {
        const CliRun run = runCli(QStringList{"grid3d", image} + args);
        EXPECT_EQ(run.exitCode, 2) << qPrintable(args.join(' '));
        EXPECT_TRUE(run.out.isEmpty()) << qPrintable(args.join(' '));
        const QStringList lines = run.err.trimmed().split(QLatin1Char('\n'));
        EXPECT_EQ(lines.size(), 1) << qPrintable(run.err);
        EXPECT_TRUE(lines.last().startsWith(QStringLiteral("lumetra-cli grid3d: "))) << qPrintable(run.err);
    }
    const CliRun missing =
        runCli({"grid3d", dir.filePath("none.bmp"), "--region", "200,100,300,160", "--factor", "4"});
    EXPECT_EQ(missing.exitCode, 2);
}
