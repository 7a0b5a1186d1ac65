// lumetra-cli profile, run as a user would run it, on pictures the tests write.
#include "support/CliRunner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

using lumetra::test::CliResult;
using lumetra::test::runCli;

namespace {

using Json = nlohmann::json;

// Grey of a pixel as the program computes it.
int greyOf(QRgb c)
{
    return static_cast<int>(std::nearbyint(0.587 * qGreen(c) + 0.299 * qRed(c) + 0.114 * qBlue(c)));
}

// A light spot: a Gaussian of peak `peak` over a background of 30, centred off the middle.
QImage beam(int w = 640, int h = 480)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double d2 =
                std::pow(x - 300.0, 2) / (2 * 70.0 * 70.0) + std::pow(y - 220.0, 2) / (2 * 50.0 * 50.0);
            const int v = 30 + static_cast<int>(200 * std::exp(-d2));
            image.setPixel(x, y, qRgb(std::min(255, v + 10), v, std::max(0, v - 20)));
        }
    return image;
}

class ProfileCommand : public ::testing::Test
{
protected:
    QString save(const QImage &image, const QString &name, const char *format, int quality = -1)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path, format, quality));
        return path;
    }

    Json profile(const QStringList &args)
    {
        const CliResult run = runCli(QStringList{QStringLiteral("profile")} + args);
        EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
        EXPECT_TRUE(run.err.isEmpty()) << qPrintable(run.err);
        Json j = Json::parse(run.out.toStdString(), nullptr, false);
        EXPECT_FALSE(j.is_discarded()) << qPrintable(run.out.left(200));
        return j;
    }

    QTemporaryDir dir;
};

// What the program holds for a vertical cut of `image` loaded into the 640 x 480 workspace
// picture: grey values of the cut's band and the rounded, in-place smoothed profile.
struct VerticalExpectation
{
    std::vector<int> raw;      // 1..480
    std::vector<int> analysed; // 1..480
};

VerticalExpectation expectVertical(const QImage &image, int column, int n)
{
    const auto grey = [&](int x, int y) {
        if (x == 0 || y == 0 || x >= 640 || y >= 480)
            return 0;
        if (x >= image.width() || y >= image.height())
            return 70; // back colour of the workspace picture
        return greyOf(image.pixel(x, y));
    };
    VerticalExpectation e;
    e.raw.assign(481, 0);
    std::vector<double> p(481, 0.0);
    const int first = std::max(column - 4, 0), last = std::min(column + 4, 640);
    for (int i = 1; i <= 480; ++i) {
        e.raw[static_cast<size_t>(i)] = grey(column, i);
        double sum = 0;
        for (int c = first; c <= last; ++c)
            sum += grey(c, i);
        p[static_cast<size_t>(i)] = std::nearbyint(sum / (last - first + 1));
    }
    const double d = 2 * n + 1;
    for (int i = n + 1; i <= 480 - n; ++i) {
        double sum = p[static_cast<size_t>(i)];
        for (int k = 1; k <= n; ++k)
            sum = sum + (p[static_cast<size_t>(i + k)] + p[static_cast<size_t>(i - k)]);
        p[static_cast<size_t>(i)] = std::nearbyint(sum / d);
    }
    for (int i = 1; i <= n; ++i) {
        double sum = 0;
        for (int j = 1; j <= 2 * n + 1; ++j)
            sum += p[static_cast<size_t>(j)];
        p[static_cast<size_t>(i)] = std::nearbyint(sum / d);
    }
    for (int i = 480 - n + 1; i <= 480; ++i) {
        double sum = 0;
        for (int j = 480 - 2 * n; j <= 480; ++j)
            sum += p[static_cast<size_t>(j)];
        p[static_cast<size_t>(i)] = std::nearbyint(sum / d);
    }
    e.analysed.assign(481, 0);
    for (int i = 1; i <= 480; ++i)
        e.analysed[static_cast<size_t>(i)] = static_cast<int>(p[static_cast<size_t>(i)]);
    return e;
}

int percent(double v, double lo, double hi)
{
    return v < lo || lo == hi ? 0 : static_cast<int>(std::floor(100 * (v - lo) / (hi - lo)));
}

} // namespace

TEST_F(ProfileCommand, HorizontalBmpWithoutSmoothing)
{
    // Grey 20 + (x mod 200) in every row: the band average equals the row.
    QImage image(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            image.setPixel(x, y, qRgb(20 + x % 200, 20 + x % 200, 20 + x % 200));
    const QString path = save(image, "columns.bmp", "BMP");
    const Json j = profile({path, "--row", "100", "--width", "0"});
    EXPECT_EQ(j["image"], path.toStdString());
    EXPECT_EQ(j["orientation"], "horizontal");
    EXPECT_EQ(j["cut"], 100);
    EXPECT_EQ(j["integration_width"], 0);
    EXPECT_EQ(j["mode"], "face");
    EXPECT_EQ(j["image_grey_min"], 20);
    EXPECT_EQ(j["image_grey_max"], 219);
    EXPECT_EQ(j["grey_min"], 20);
    EXPECT_EQ(j["grey_max"], 219);
    EXPECT_EQ(j["profile_min"], 0) << "face mode never computes the profile range";
    EXPECT_EQ(j["profile_max"], 0);
    const Json &rows = j["rows"];
    ASSERT_EQ(rows.size(), 640u);
    for (int i = 1; i <= 640; ++i) {
        const Json &r = rows[static_cast<size_t>(i - 1)];
        const int v = i < 640 ? 20 + i % 200 : 0; // column 640 lies outside the picture
        ASSERT_EQ(r["position"], i - 320) << i;
        ASSERT_EQ(r["raw"], v) << i;
        ASSERT_EQ(r["analysed"], v) << i;
        ASSERT_EQ(r["raw_percent"], percent(v, 20, 219)) << i;
        ASSERT_EQ(r["analysed_percent"], percent(v, 20, 219)) << i;
    }
    EXPECT_EQ(rows[0]["raw_percent"], 0);     // x = 1: 21 -> floor(100 / 199)
    EXPECT_EQ(rows[179]["raw_percent"], 90);  // x = 180: 200 -> floor(18000 / 199)
    EXPECT_EQ(rows[198]["raw_percent"], 100); // x = 199: 219 is the top of the range
    EXPECT_EQ(rows[199]["raw_percent"], 0);   // x = 200: 20 is the bottom
}

TEST_F(ProfileCommand, VerticalJpegWithSmoothingMatchesTheDecodedPicture)
{
    const QString path = save(beam(), "beam.jpg", "JPEG", 90);
    const QImage decoded(path); // the same decoder the tool uses
    ASSERT_FALSE(decoded.isNull());
    const Json j = profile({path, "--column", "300", "--width", "2"});
    EXPECT_EQ(j["orientation"], "vertical");
    EXPECT_EQ(j["integration_width"], 2);
    const VerticalExpectation e = expectVertical(decoded.convertToFormat(QImage::Format_RGB32), 300, 2);
    const Json &rows = j["rows"];
    ASSERT_EQ(rows.size(), 480u);
    const double lo = j["image_grey_min"], hi = j["image_grey_max"];
    const double glo = j["grey_min"], ghi = j["grey_max"];
    for (int i = 1; i <= 480; ++i) {
        const Json &r = rows[static_cast<size_t>(i - 1)];
        ASSERT_EQ(r["position"], i - 240);
        ASSERT_EQ(r["raw"], e.raw[static_cast<size_t>(i)]) << i;
        ASSERT_EQ(r["analysed"], e.analysed[static_cast<size_t>(i)]) << i;
        ASSERT_EQ(r["raw_percent"], percent(e.raw[static_cast<size_t>(i)], lo, hi)) << i;
        ASSERT_EQ(r["analysed_percent"], percent(e.analysed[static_cast<size_t>(i)], glo, ghi)) << i;
    }
    EXPECT_EQ(rows[480 - 1]["raw"], 0) << "row 480 lies outside the picture";
    EXPECT_GT(hi, 200);
    EXPECT_LT(lo, 40);
}

TEST_F(ProfileCommand, LineModeUsesTheProfileRange)
{
    const QString path = save(beam(), "beam.bmp", "BMP");
    const QImage image(path);
    const Json j = profile({path, "--column", "310", "--width", "4", "--mode", "line"});
    EXPECT_EQ(j["mode"], "line");
    const VerticalExpectation e = expectVertical(image.convertToFormat(QImage::Format_RGB32), 310, 4);
    // The profile range: seeded with sample 1, the minimum skipping zeros.
    int pmax = e.analysed[1], pmin = e.analysed[1];
    for (int i = 2; i <= 480; ++i) {
        pmax = std::max(pmax, e.analysed[static_cast<size_t>(i)]);
        if (e.analysed[static_cast<size_t>(i)] != 0)
            pmin = std::min(pmin, e.analysed[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(j["profile_max"], pmax);
    EXPECT_EQ(j["profile_min"], pmin);
    int hundreds = 0;
    for (size_t i = 0; i < 480; ++i) {
        const Json &r = j["rows"][i];
        ASSERT_EQ(r["raw_percent"], 0) << i;
        ASSERT_EQ(r["analysed_percent"], percent(e.analysed[i + 1], pmin, pmax)) << i;
        hundreds += r["analysed_percent"] == 100;
    }
    EXPECT_GE(hundreds, 1) << "the profile's maximum reads 100 %";
}

TEST_F(ProfileCommand, FractionalAnalysedValuesArePrintedExactly)
{
    const QString path = save(beam(), "beam.bmp", "BMP");
    const CliResult run = runCli({"profile", path, "--row", "220", "--width", "7"});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const Json j = Json::parse(run.out.toStdString());
    int fractions = 0;
    for (const Json &r : j["rows"])
        fractions += r["analysed"].is_number_float();
    EXPECT_GT(fractions, 500);
    // Shortest round-trip: a fraction reads back to a double that prints the same again; whole
    // values are printed as integers.
    for (const Json &r : j["rows"]) {
        const double v = r["analysed"];
        if (r["analysed"].is_number_float())
            ASSERT_EQ(Json(v).dump(), r["analysed"].dump());
        else
            ASSERT_EQ(std::to_string(static_cast<long long>(v)), r["analysed"].dump());
    }
    // CSV carries the same values.
    const CliResult csv = runCli({"profile", path, "--row", "220", "--width", "7", "--format", "csv"});
    ASSERT_EQ(csv.exitCode, 0) << qPrintable(csv.err);
    const QStringList lines = csv.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 641);
    EXPECT_EQ(lines[0], "position,raw,analysed,raw_percent,analysed_percent");
    for (int i = 1; i <= 640; ++i) {
        const QStringList f = lines[i].split(',');
        ASSERT_EQ(f.size(), 5) << i;
        const Json &r = j["rows"][static_cast<size_t>(i - 1)];
        ASSERT_EQ(f[0].toInt(), r["position"].get<int>());
        ASSERT_EQ(f[1].toDouble(), r["raw"].get<double>());
        ASSERT_EQ(f[2].toDouble(), r["analysed"].get<double>()) << i;
        ASSERT_EQ(f[3].toInt(), r["raw_percent"].get<int>());
        ASSERT_EQ(f[4].toInt(), r["analysed_percent"].get<int>());
    }
}

TEST_F(ProfileCommand, PicturesAreCutOrPaddedLikeTheWorkspace)
{
    QImage small(320, 240, QImage::Format_RGB32);
    small.fill(qRgb(200, 200, 200));
    const Json s = profile({save(small, "small.bmp", "BMP"), "--row", "100", "--width", "0"});
    EXPECT_EQ(s["rows"][318]["raw"], 200); // x = 319
    EXPECT_EQ(s["rows"][319]["raw"], 70);  // x = 320: the back colour
    QImage big(800, 600, QImage::Format_RGB32);
    big.fill(qRgb(10, 10, 10));
    for (int y = 0; y < 600; ++y)
        big.setPixel(700, y, qRgb(250, 250, 250)); // beyond column 640: never sampled
    const Json b = profile({save(big, "big.jpg", "JPEG", 100), "--row", "479", "--width", "0"});
    EXPECT_LE(b["image_grey_max"].get<int>(), 15);
}

TEST_F(ProfileCommand, DefaultWidthComesFromTheSettingsFileBesideTheProgram)
{
    // A copy of the tool in its own folder, so the settings file there is ours alone.
    const QString bin = dir.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString tool = bin + "/lumetra-cli";
    ASSERT_TRUE(QFile::copy(lumetra::test::cliExecutable(), tool));
    const QString picture = save(beam(), "beam.bmp", "BMP");
    const auto widthWith = [&](const QByteArray *settings) {
        QFile::remove(bin + "/configtext.txt");
        if (settings) {
            QFile f(bin + "/configtext.txt");
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(*settings);
        }
        const CliResult run = runCli({"profile", picture, "--row", "200"}, tool);
        EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
        return Json::parse(run.out.toStdString())["integration_width"];
    };
    const QByteArray three = "3\r\n5\r\n", text = "abc\r\n5\r\n", empty = "";
    EXPECT_EQ(widthWith(&three), 3);
    EXPECT_EQ(widthWith(&text), 0);
    EXPECT_EQ(widthWith(&empty), 0);
    EXPECT_EQ(widthWith(nullptr), 0);
    const CliResult overridden = runCli({"profile", picture, "--row", "200", "--width", "9"}, tool);
    EXPECT_EQ(Json::parse(overridden.out.toStdString())["integration_width"], 9);
}

namespace {

struct BadCall
{
    const char *name;
    QStringList args; // "@bmp", "@jpg" and "@dir" stand for files the test writes
};

class ProfileErrors : public ::testing::TestWithParam<BadCall>
{
};

} // namespace

TEST_P(ProfileErrors, OneLineOnStandardErrorAndStatusTwo)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("good.bmp");
    ASSERT_TRUE(beam(64, 48).save(good, "BMP"));
    QByteArray bytes;
    {
        QFile f(good);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        bytes = f.readAll();
    }
    const auto write = [&](const QString &name, const QByteArray &data) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
        return dir.filePath(name);
    };
    QByteArray jpeg;
    {
        const QString path = dir.filePath("full.jpg");
        EXPECT_TRUE(beam().save(path, "JPEG"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        jpeg = f.readAll();
    }
    // A BMP header that claims 40000 x 40000 pixels.
    QByteArray absurd = bytes.left(54);
    const auto put32 = [&](int at, quint32 v) {
        for (int k = 0; k < 4; ++k)
            absurd[at + k] = char((v >> (8 * k)) & 0xff);
    };
    put32(18, 40000);
    put32(22, 40000);

    QStringList args;
    for (const QString &a : GetParam().args) {
        if (a == "@good")
            args << good;
        else if (a == "@truncbmp")
            args << write("cut.bmp", bytes.left(bytes.size() / 2));
        else if (a == "@truncjpg")
            args << write("cut.jpg", jpeg.left(jpeg.size() / 2));
        else if (a == "@absurd")
            args << write("absurd.bmp", absurd + QByteArray(64, '\0'));
        else if (a == "@text")
            args << write("notes.bmp", "this is not a picture\n");
        else if (a == "@empty")
            args << write("empty.jpg", "");
        else if (a == "@dir")
            args << dir.path();
        else if (a == "@missing")
            args << dir.filePath("nowhere.bmp");
        else
            args << a;
    }
    const CliResult run = runCli(QStringList{"profile"} + args);
    EXPECT_FALSE(run.crashed);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty()) << qPrintable(run.out.left(100));
    EXPECT_TRUE(run.err.endsWith('\n'));
    EXPECT_EQ(run.err.count('\n'), 1) << qPrintable(run.err);
    EXPECT_TRUE(run.err.startsWith("lumetra-cli profile: ")) << qPrintable(run.err);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, ProfileErrors,
    ::testing::Values(
        BadCall{"missing", {"@missing", "--row", "10"}}, BadCall{"directory", {"@dir", "--row", "10"}},
        BadCall{"truncatedBmp", {"@truncbmp", "--row", "10"}},
        BadCall{"truncatedJpeg", {"@truncjpg", "--row", "10"}},
        BadCall{"absurdSize", {"@absurd", "--row", "10"}}, BadCall{"notAPicture", {"@text", "--row", "10"}},
        BadCall{"emptyFile", {"@empty", "--column", "10"}}, BadCall{"rowTooLarge", {"@good", "--row", "481"}},
        BadCall{"columnTooLarge", {"@good", "--column", "641"}},
        BadCall{"negativeRow", {"@good", "--row", "-1"}}, BadCall{"rowNotANumber", {"@good", "--row", "1x"}},
        BadCall{"noCut", {"@good", "--width", "3"}},
        BadCall{"twoCuts", {"@good", "--row", "3", "--column", "3"}},
        BadCall{"negativeWidth", {"@good", "--row", "3", "--width", "-2"}},
        BadCall{"fractionalWidth", {"@good", "--row", "3", "--width", "2.5"}},
        BadCall{"badMode", {"@good", "--row", "3", "--mode", "area"}},
        BadCall{"badFormat", {"@good", "--row", "3", "--format", "xml"}},
        BadCall{"missingValue", {"@good", "--row"}},
        BadCall{"unknownOption", {"@good", "--row", "3", "--zoom"}}, BadCall{"noPicture", {"--row", "3"}}),
    [](const ::testing::TestParamInfo<BadCall> &info) { return std::string(info.param.name); });

TEST(ProfileCut, EdgesOfTheCutRangeAreAccepted)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("beam.bmp");
    ASSERT_TRUE(beam().save(path, "BMP"));
    for (const auto &[option, value] :
         {std::pair{"--row", "0"}, {"--row", "480"}, {"--column", "0"}, {"--column", "640"}}) {
        const CliResult run = runCli({"profile", path, option, value, "--width", "1000"});
        EXPECT_EQ(run.exitCode, 0) << option << " " << value << ": " << qPrintable(run.err);
        const Json j = Json::parse(run.out.toStdString(), nullptr, false);
        ASSERT_FALSE(j.is_discarded());
        EXPECT_EQ(j["cut"], std::stoi(value));
        EXPECT_EQ(j["integration_width"], 1000) << "the stored width is reported as given";
    }
}
