// Frame files are checked against their own size and the pixel budget before anything is
// allocated, and a file that changes while it is read is refused.
#include "platform/framefiles/FrameFile.h"
#include "platform/framefiles/FrameInput.h"
#include "platform/framefiles/PixelBudget.h"
#include "platform/settings/PixelBudgetSetting.h"
#include "support/FrameWriters.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace lumetra;
using namespace lumetra::test;

namespace {

class FrameBounds : public ::testing::Test
{
protected:
    void TearDown() override
    {
        setPixelBudget(DefaultPixelBudget);
        FrameInput::setBeforeReadHook({});
    }
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }
    static std::vector<unsigned> ramp(std::size_t n, unsigned top)
    {
        std::vector<unsigned> s(n);
        for (std::size_t i = 0; i < n; ++i)
            s[i] = unsigned(i * 7919 % (top + 1));
        return s;
    }
    QTemporaryDir dir;
};

QByteArray u32be(quint32 v)
{
    QByteArray b(4, '\0');
    for (int k = 0; k < 4; ++k)
        b[k] = char(v >> (24 - 8 * k));
    return b;
}

// A PNG header (IHDR) promising width x height 8-bit grey, followed by `idat` as its only
// IDAT chunk and IEND (CRCs are not checked by either decoder path before the size checks).
QByteArray pngPromising(quint32 width, quint32 height, const QByteArray &idat)
{
    QByteArray ihdr = u32be(width) + u32be(height) + QByteArray("\x08\x00\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + u32be(13) + "IHDR" + ihdr + u32be(0) + u32be(quint32(idat.size())) +
           "IDAT" + idat + u32be(0) + u32be(0) + "IEND" + u32be(0);
}

} // namespace

TEST_F(FrameBounds, HeadersPromisingMoreThanTheFileHoldsAreRefused)
{
    // Header only, and a header whose raster is one row short.
    for (const char *header : {"P5 10000 10000 255\n", "P6 9000 9000 255\n", "P2 5000 5000 65535\n",
                               "P3 4000 4000 255\n"}) {
        const FrameReadResult r = readFrameFile(write(QStringLiteral("h.pnm"), header));
        EXPECT_FALSE(r.ok()) << header;
        EXPECT_TRUE(r.error.contains(QStringLiteral("不完整"))) << qPrintable(r.error);
        EXPECT_TRUE(r.frame.values.empty());
    }
    const QByteArray full = netpbmBytes(40, 30, 3, 65535, false, ramp(40 * 30 * 3, 65535));
    EXPECT_TRUE(readFrameFile(write(QStringLiteral("full.ppm"), full)).ok());
    const FrameReadResult cut = readFrameFile(write(QStringLiteral("cut.ppm"), full.left(full.size() - 40 * 6)));
    EXPECT_FALSE(cut.ok());
    EXPECT_TRUE(cut.error.contains(QStringLiteral("cut.ppm")));

    // A PNG whose stream could never inflate to the rows it promises.
    const FrameReadResult png = readFrameFile(write(QStringLiteral("big.png"), pngPromising(20000, 20000, "x")));
    EXPECT_FALSE(png.ok());
    EXPECT_TRUE(png.error.contains(QStringLiteral("big.png"))) << qPrintable(png.error);
    EXPECT_TRUE(png.error.contains(QStringLiteral("20000 x 20000"))) << qPrintable(png.error);
}

// The budget is applied before decoding, to every reader (direct PNG, Netpbm, Qt's formats),
// and it can be set from the user's settings.
TEST_F(FrameBounds, PixelBudgetRefusesLargerFramesBeforeDecoding)
{
    const auto s = ramp(40 * 30 * 3, 255);
    QImage bmp(40, 30, QImage::Format_RGB32);
    bmp.fill(qRgb(10, 20, 30));
    const QString bmpPath = dir.filePath(QStringLiteral("f.bmp"));
    ASSERT_TRUE(bmp.save(bmpPath));
    const QStringList files = {write(QStringLiteral("f.pgm"), netpbmBytes(40, 30, 1, 255, false, s)),
                               write(QStringLiteral("f.ppm"), netpbmBytes(40, 30, 3, 255, true, s)),
                               write(QStringLiteral("f.png"), pngBytes(40, 30, 3, 16, s, {1, 4})),
                               write(QStringLiteral("f.tif"), tiffBytes(40, 30, 3, 8, s)), bmpPath};
    for (const QString &path : files)
        EXPECT_TRUE(readFrameFile(path).ok()) << qPrintable(path);

    const QString ini = dir.filePath(QStringLiteral("lumetra.ini"));
    EXPECT_EQ(loadPixelBudgetSetting(ini), DefaultPixelBudget);
    ASSERT_TRUE(savePixelBudgetSetting(1199, ini));
    applyPixelBudgetSetting(ini);
    EXPECT_EQ(pixelBudget(), 1199);
    for (const QString &path : files) {
        const FrameReadResult r = readFrameFile(path);
        EXPECT_FALSE(r.ok()) << qPrintable(path);
        EXPECT_TRUE(r.error.contains(QStringLiteral("1199"))) << qPrintable(r.error);
        EXPECT_TRUE(r.error.contains(path)) << qPrintable(r.error);
    }
    setPixelBudget(1200);
    for (const QString &path : files)
        EXPECT_TRUE(readFrameFile(path).ok()) << qPrintable(path);
}

// A camera program still writing (or cutting) the file while it is read: the file is refused
// with a reason, never half-read and never a crash.
TEST_F(FrameBounds, FileChangedWhileReadIsRefused)
{
    constexpr int W = 800, H = 600; // 960 000 bytes of 16-bit samples: read in several pieces
    const QByteArray pgm = netpbmBytes(W, H, 1, 65535, false, ramp(std::size_t(W) * H, 65535));
    const QByteArray png = pngBytes(W, H, 1, 16, ramp(std::size_t(W) * H, 65535), {0}, 1 << 16);
    QImage picture(W, H, QImage::Format_RGB32);
    picture.fill(qRgb(40, 50, 60));
    QByteArray bmp;
    {
        const QString path = dir.filePath(QStringLiteral("tmp.bmp"));
        ASSERT_TRUE(picture.save(path));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        bmp = f.readAll();
    }
    struct Change
    {
        const char *name;
        std::function<void(const QString &)> apply;
    };
    const std::vector<Change> changes = {
        {"cut", [](const QString &path) { ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), 1000), 0); }},
        {"grown",
         [](const QString &path) {
             QFile f(path);
             ASSERT_TRUE(f.open(QIODevice::Append));
             f.write("more");
         }},
    };
    for (const auto &[name, bytes] : {std::pair{"f.pgm", pgm}, std::pair{"f.png", png}, std::pair{"f.bmp", bmp}}) {
        const QString path = write(QLatin1String(name), bytes);
        ASSERT_TRUE(readFrameFile(path).ok()) << name;
        for (const Change &change : changes) {
            write(QLatin1String(name), bytes);
            bool changed = false;
            // The first read takes the header; the file changes before the next one (or, for
            // formats Qt decodes, before Qt reads it).
            FrameInput::setBeforeReadHook([&](const QString &file, qint64 position) {
                if (file == path && !changed && (position > 0 || QByteArray(name).endsWith("bmp"))) {
                    changed = true;
                    change.apply(file);
                }
            });
            const FrameReadResult r = readFrameFile(path);
            FrameInput::setBeforeReadHook({});
            EXPECT_TRUE(changed) << name;
            EXPECT_FALSE(r.ok()) << name << ' ' << change.name;
            EXPECT_TRUE(r.error.contains(QStringLiteral("被改动"))) << qPrintable(r.error);
            EXPECT_TRUE(r.frame.values.empty());
        }
    }
}
