// lumetra-cli filter, run as the real program on pictures the tests write.
#include "support/CliRunner.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumetra::test;

namespace {

CliResult runFilter(const QStringList &args)
{
    return runCli(QStringList{QStringLiteral("filter")} + args);
}

QImage uniform(int w, int h, int v)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(qRgb(v, v, v));
    return image;
}

class FilterCli : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }

    QString save(const QString &name, const QImage &image)
    {
        const QString file = path(name);
        EXPECT_TRUE(image.save(file));
        return file;
    }

    QByteArray bytes(const QString &file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // A failure: exit 2, one line on stderr naming the command, nothing on
    // stdout.
    void expectFailure(const CliResult &r, const char *needle)
    {
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << qPrintable(r.err);
        EXPECT_TRUE(r.err.startsWith(QLatin1String("lumetra-cli filter: "))) << qPrintable(r.err);
        EXPECT_TRUE(r.err.contains(QLatin1String(needle))) << qPrintable(r.err);
    }

    QTemporaryDir dir;
};

QRgb grey(int v)
{
    return qRgb(v, v, v);
}

} // namespace

TEST_F(FilterCli, Blur1OnUniformGreyWritesTheFilteredPicture)
{
    const QString in = save("grey.png", uniform(640, 480, 120));
    const QString out = path("out.png");
    const CliResult r = runFilter({in, "blur1", out});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.err.isEmpty());
    const QImage result(out);
    ASSERT_EQ(result.size(), QSize(640, 480));
    EXPECT_EQ(result.pixel(300, 300), grey(120));
    EXPECT_EQ(result.pixel(300, 0), grey(120)) << "row 0 kept";
    EXPECT_EQ(result.pixel(0, 300), grey(120)) << "column 0 kept";
    EXPECT_EQ(result.pixel(300, 1), grey(80));
    EXPECT_EQ(result.pixel(300, 479), grey(80));
    EXPECT_EQ(result.pixel(639, 300), grey(80));
}

TEST_F(FilterCli, SmallPictureIsLoadedOverTheBackColour)
{
    // 320 x 240 of white: the rest of the 640 x 480 picture is the back colour
    // (70, 70, 70).
    const QString in = save("small.bmp", uniform(320, 240, 255));
    const QString out = path("out.bmp");
    ASSERT_EQ(runFilter({in, "blur2", out}).exitCode, 0);
    const QImage result(out);
    ASSERT_EQ(result.size(), QSize(640, 480));
    EXPECT_TRUE(bytes(out).startsWith("BM")) << "format from the extension";
    EXPECT_EQ(result.pixel(100, 100), grey(255));
    EXPECT_EQ(result.pixel(500, 400), grey(70));
    // Across the right edge of the white area the 5 x 5 mean falls from 255 to
    // 70: at column 319, three of five columns are white: (3 x 255 + 2 x 70) / 5
    // = 181.
    EXPECT_EQ(result.pixel(319, 100), grey(181));
}

TEST_F(FilterCli, SeedMakesDiffusionsRepeatable)
{
    QImage noise(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            noise.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * 5 + y * 71) % 256, (x ^ y) % 256));
    const QString in = save("noise.png", noise);
    for (const char *filter : {"diffuse", "diffuse-more"}) {
        ASSERT_EQ(runFilter({in, filter, path("a.png"), "--seed", "42"}).exitCode, 0);
        ASSERT_EQ(runFilter({in, filter, path("b.png"), "--seed", "42"}).exitCode, 0);
        ASSERT_EQ(runFilter({in, filter, path("c.png"), "--seed", "43"}).exitCode, 0);
        ASSERT_EQ(runFilter({"--seed", "7", in, filter, path("d.png")}).exitCode, 0) << "options anywhere";
        ASSERT_EQ(runFilter({in, filter, path("e.png")}).exitCode, 0);
        ASSERT_EQ(runFilter({in, filter, path("f.png")}).exitCode, 0);
        const QImage a(path("a.png"));
        EXPECT_EQ(a, QImage(path("b.png"))) << filter;
        EXPECT_NE(a, QImage(path("c.png"))) << filter;
        EXPECT_NE(QImage(path("e.png")), QImage(path("f.png"))) << filter << ": unseeded runs differ";
        EXPECT_NE(a, noise.convertToFormat(a.format())) << filter;
        EXPECT_EQ(a.pixel(1, 1), noise.pixel(1, 1)) << "rows and columns 0 and 1 kept";
    }
}

TEST_F(FilterCli, BadInputFailsWithOneLineAndLeavesOutputAlone)
{
    const QString in = save("grey.png", uniform(640, 480, 90));
    const QString out = path("keep.png");
    {
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old bytes");
    }
    const QString truncated = path("cut.bmp");
    {
        const QByteArray whole = bytes(save("whole.bmp", uniform(640, 480, 90)));
        QFile f(truncated);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(whole.left(200));
    }
    expectFailure(runFilter({path("missing.png"), "blur1", out}), "missing.png");
    expectFailure(runFilter({truncated, "blur1", out}), "cut.bmp");
    expectFailure(runFilter({in, "blur3", out}), "unknown filter 'blur3'");
    expectFailure(runFilter({in, "blur1"}), "usage");
    expectFailure(runFilter({in, "blur1", out, "extra"}), "usage");
    expectFailure(runFilter({in, "diffuse", out, "--seed", "abc"}), "--seed");
    expectFailure(runFilter({in, "diffuse", out, "--seed", "-1"}), "--seed");
    expectFailure(runFilter({in, "diffuse", out, "--seed"}), "--seed");
    expectFailure(runFilter({in, "blur1", out, "--fast"}), "unknown option '--fast'");
    expectFailure(runFilter({in, "blur1", path("out.xyz")}), "out.xyz");
    expectFailure(runFilter({in, "blur1", path("no-such-dir/out.png")}), "cannot write");
    EXPECT_EQ(bytes(out), QByteArray("old bytes"));
    EXPECT_FALSE(QFile::exists(path("out.xyz")));
}

TEST_F(FilterCli, ExistingOutputIsReplacedWhole)
{
    const QString in = save("grey.png", uniform(640, 480, 60));
    const QString out = path("out.bmp");
    {
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(2'000'000, 'x'));
    }
    ASSERT_EQ(runFilter({in, "sharpen2", out}).exitCode, 0);
    const QImage result(out);
    ASSERT_EQ(result.size(), QSize(640, 480));
    EXPECT_EQ(result.pixel(5, 5), grey(60));
    EXPECT_EQ(result.pixel(1, 5), grey(108)) << "60 + 0.8 x 60 against the zero margin";
    EXPECT_LT(QFile(out).size(), 2'000'000);
}
