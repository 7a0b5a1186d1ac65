// The full-resolution frame reader on generated files of every format and depth, and on broken ones.
#include "platform/framefiles/FrameFile.h"
#include "platform/framefiles/PngFrame.h"
#include "support/FrameWriters.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>
#include <random>

using namespace lumetra;
using namespace lumetra::test;

namespace {

constexpr int W = 37, H = 23; // odd sizes catch row-stride mistakes

// Samples covering 0..top, the top value included.
std::vector<unsigned> ramp(int channels, unsigned top)
{
    std::vector<unsigned> s(std::size_t(W) * H * channels);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = unsigned((i * 2654435761u) % (top + 1));
    s[5] = top;
    return s;
}

// Irregular samples over 0..top: neighbours unrelated, so every filter's predictor is exercised.
std::vector<unsigned> noise(int channels, unsigned top)
{
    std::mt19937 engine(7);
    std::vector<unsigned> s(std::size_t(W) * H * channels);
    for (unsigned &v : s)
        v = unsigned(engine() % (top + 1));
    s[5] = top;
    return s;
}

float grey(const std::vector<unsigned> &s, int channels, std::size_t i)
{
    if (channels == 1)
        return float(s[i]);
    const unsigned r = s[3 * i], g = s[3 * i + 1], b = s[3 * i + 2];
    if (r == g && g == b)
        return float(r);
    return 0.299f * float(r) + 0.587f * float(g) + 0.114f * float(b);
}

class FrameFile : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }

    // Reads `path` and compares every pixel with the samples (shifted right by `shift`).
    void expectFrame(const QString &path, const std::vector<unsigned> &samples, int channels, int bitDepth,
                     double top, int shift = 0)
    {
        const FrameReadResult r = readFrameFile(path);
        ASSERT_TRUE(r.ok()) << qPrintable(r.error);
        ASSERT_EQ(r.frame.width, W);
        ASSERT_EQ(r.frame.height, H);
        EXPECT_EQ(r.frame.bitDepth, bitDepth);
        EXPECT_EQ(r.frame.topValue, top);
        std::vector<unsigned> shifted = samples;
        for (unsigned &v : shifted)
            v >>= shift;
        int wrong = 0;
        for (std::size_t i = 0; i < std::size_t(W) * H; ++i)
            wrong += std::abs(r.frame.values[i] - grey(shifted, channels, i)) > 1e-3f * float(top) * 1e-2f ? 1 : 0;
        EXPECT_EQ(wrong, 0) << qPrintable(path);
    }

    QByteArray pngOf(const QImage &image)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(image.save(&buffer, "PNG"));
        return bytes;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(FrameFile, PgmAndPpmKeepEveryCodeValueUpToMaxval)
{
    for (const int maxval : {255, 4095, 65535})
        for (const bool plain : {false, true})
            for (const int channels : {1, 3}) {
                const auto s = ramp(channels, unsigned(maxval));
                const QString path = write(QStringLiteral("f%1%2%3.pnm").arg(maxval).arg(plain).arg(channels),
                                           netpbmBytes(W, H, channels, maxval, plain, s));
                expectFrame(path, s, channels, maxval > 255 ? 16 : 8, maxval);
            }
}

TEST_F(FrameFile, SixteenBitPngHonoursSignificantBits)
{
    QImage image(W, H, QImage::Format_Grayscale16);
    std::vector<unsigned> s = ramp(1, 4095);
    for (unsigned &v : s)
        v <<= 4; // a 12-bit camera's codes in the high bits
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            reinterpret_cast<quint16 *>(image.scanLine(y))[x] = quint16(s[std::size_t(y) * W + x]);
    const QByteArray png = pngOf(image);
    expectFrame(write("full.png", png), s, 1, 16, 65535);
    expectFrame(write("sbit.png", withSignificantBits(png, 12, 1)), s, 1, 16, 4095, 4);
}

// The direct decoder against Qt's on the same file: hand-written PNGs whose rows use every filter
// type over several IDAT chunks, and Qt-written ones, each with and without sBIT.
TEST_F(FrameFile, DirectPngDecodingGivesQtsValues)
{
    for (const int bits : {8, 16})
        for (const int channels : {1, 3}) {
            const unsigned top = bits == 16 ? 65535u : 255u;
            const auto s = noise(channels, top);
            QImage image(W, H, bits == 8 ? (channels == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB32)
                                         : (channels == 1 ? QImage::Format_Grayscale16 : QImage::Format_RGBX64));
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x) {
                    const std::size_t i = std::size_t(y) * W + x;
                    const unsigned *v = &s[channels * i];
                    if (channels == 1 && bits == 8)
                        image.scanLine(y)[x] = uchar(v[0]);
                    else if (channels == 1)
                        reinterpret_cast<quint16 *>(image.scanLine(y))[x] = quint16(v[0]);
                    else if (bits == 8)
                        image.setPixel(x, y, qRgb(int(v[0]), int(v[1]), int(v[2])));
                    else
                        image.setPixelColor(x, y, QColor::fromRgba64(quint16(v[0]), quint16(v[1]), quint16(v[2])));
                }
            // The second hand-written file pairs every two filters that predict from the left
            // (rows are unfiltered two at a time), and ends on a row of its own (H is odd).
            const QByteArray written[] = {
                pngBytes(W, H, channels, bits, s, {0, 1, 2, 3, 4, 4, 3, 2, 1}, 97),
                pngBytes(W, H, channels, bits, s, {1, 1, 1, 3, 1, 4, 3, 1, 3, 3, 3, 4, 4, 1, 4, 3, 4, 4, 0, 2}, 211),
                pngOf(image)};
            for (const QByteArray &plain : written)
                for (const int significant : {bits, bits - 3}) {
                    const QByteArray png = significant == bits ? plain : withSignificantBits(plain, significant, channels);
                    const QString path = write(QStringLiteral("d%1_%2_%3_%4.png")
                                                   .arg(bits).arg(channels).arg(significant).arg(&plain - written),
                                               png);
                    beam::BeamFrame direct;
                    ASSERT_TRUE(decodePngFrame(png, direct)) << qPrintable(path);
                    const FrameReadResult fast = readFrameFile(path);
                    const FrameReadResult viaQt = readFrameFile(path, PngDecoder::Qt);
                    ASSERT_TRUE(fast.ok() && viaQt.ok()) << qPrintable(viaQt.error);
                    EXPECT_EQ(fast.frame.bitDepth, viaQt.frame.bitDepth);
                    EXPECT_EQ(fast.frame.topValue, viaQt.frame.topValue);
                    EXPECT_TRUE(fast.frame.values == viaQt.frame.values) << qPrintable(path);
                    expectFrame(path, s, channels, bits, double((1u << significant) - 1u), bits - significant);
                }
        }
}

// A damaged stream never yields a picture from the direct decoder; the file is then refused, and
// layouts it does not handle still open through Qt.
TEST_F(FrameFile, DirectPngDecoderDeclinesWhatItCannotRead)
{
    const auto s = ramp(1, 65535);
    const QByteArray good = pngBytes(W, H, 1, 16, s, {4}, 1 << 20);
    QByteArray flipped = good;
    flipped[60] = char(flipped[60] ^ 0x5a);
    const QByteArray shortStream = good.left(33) + pngBytes(W, H - 1, 1, 16, s, {4}, 1 << 20).mid(33);
    const QByteArray badFilter = pngBytes(W, H, 1, 16, s, {2, 5}, 1 << 20);
    for (const auto &[name, bytes] : {std::pair{"flipped.png", flipped}, std::pair{"short.png", shortStream},
                                      std::pair{"filter.png", badFilter}}) {
        beam::BeamFrame direct;
        EXPECT_FALSE(decodePngFrame(bytes, direct)) << name;
        EXPECT_TRUE(direct.values.empty());
        const FrameReadResult r = readFrameFile(write(QLatin1String(name), bytes));
        EXPECT_FALSE(r.ok()) << name;
        EXPECT_TRUE(r.error.contains(QLatin1String(name))) << qPrintable(r.error);
    }
    // Any single damaged byte or cut: a picture of the stated size or none (ASan checks the reads).
    const QByteArray small = pngBytes(5, 4, 3, 16, noise(3, 65535), {0, 1, 2, 3, 4}, 40);
    for (qsizetype at = 0; at < small.size(); ++at) {
        QByteArray damaged = small;
        damaged[at] = char(damaged[at] ^ 0xa5);
        for (const QByteArray &bytes : {damaged, small.left(at)}) {
            beam::BeamFrame direct;
            const bool decoded = decodePngFrame(bytes, direct);
            EXPECT_EQ(direct.values.size(), decoded ? std::size_t(direct.width) * std::size_t(direct.height) : 0u);
        }
    }
    QImage palette(W, H, QImage::Format_Indexed8);
    palette.setColorTable({qRgb(0, 0, 0), qRgb(200, 100, 50)});
    palette.fill(1);
    QImage alpha(W, H, QImage::Format_ARGB32);
    alpha.fill(qRgba(90, 90, 90, 128));
    for (const QImage &image : {palette, alpha}) {
        const QByteArray png = pngOf(image);
        beam::BeamFrame direct;
        EXPECT_FALSE(decodePngFrame(png, direct));
        const FrameReadResult r = readFrameFile(write(QStringLiteral("other.png"), png));
        ASSERT_TRUE(r.ok()) << qPrintable(r.error);
        EXPECT_EQ(r.frame.values, readFrameFile(dir.filePath("other.png"), PngDecoder::Qt).frame.values);
    }
}

// Grey pictures inflate their whole stream at once into the rows the header promises: bytes
// after the stream's end are let pass, a stream that holds more rows is declined, and any damaged
// byte or cut gives a picture of the stated size or none.
TEST_F(FrameFile, DirectGreyPngDecodingTakesExactlyThePicturesRows)
{
    for (const int bits : {8, 16}) {
        const auto s = noise(1, bits == 16 ? 65535u : 255u);
        const QByteArray good = pngBytes(W, H, 1, bits, s, {0, 1, 2, 3, 4}, 1 << 20);
        beam::BeamFrame reference;
        ASSERT_TRUE(decodePngFrame(good, reference));
        // One IDAT chunk after IHDR: three bytes more at its end (the decoder reads no CRC).
        const qsizetype idat = 33;
        const quint32 length = qFromBigEndian<quint32>(good.constData() + idat);
        QByteArray trailing = good;
        trailing.insert(idat + 8 + qsizetype(length), QByteArray("\x01\x02\x03", 3));
        qToBigEndian<quint32>(length + 3, trailing.data() + idat);
        beam::BeamFrame direct;
        ASSERT_TRUE(decodePngFrame(trailing, direct)) << bits;
        EXPECT_EQ(direct.values, reference.values);
        const QByteArray longStream = pngBytes(W, H - 1, 1, bits, s, {4}, 1 << 20).left(33) + good.mid(33);
        beam::BeamFrame longer;
        EXPECT_FALSE(decodePngFrame(longStream, longer)) << bits;
        EXPECT_TRUE(longer.values.empty());

        const QByteArray small = pngBytes(5, 4, 1, bits, noise(1, 255), {0, 1, 2, 3, 4}, 7);
        for (qsizetype at = 0; at < small.size(); ++at) {
            QByteArray damaged = small;
            damaged[at] = char(damaged[at] ^ 0xa5);
            for (const QByteArray &bytes : {damaged, small.left(at)}) {
                beam::BeamFrame frame;
                const bool decoded = decodePngFrame(bytes, frame);
                EXPECT_EQ(frame.values.size(), decoded ? std::size_t(frame.width) * std::size_t(frame.height) : 0u);
            }
        }
    }
}

TEST_F(FrameFile, EightBitColourFilesBecomeWeightedGrey)
{
    QImage image(W, H, QImage::Format_RGB32);
    const auto s = ramp(3, 255);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const std::size_t i = std::size_t(y) * W + x;
            image.setPixel(x, y, qRgb(int(s[3 * i]), int(s[3 * i + 1]), int(s[3 * i + 2])));
        }
    expectFrame(write("c.png", pngOf(image)), s, 3, 8, 255);
    ASSERT_TRUE(image.save(dir.filePath("c.bmp"), "BMP"));
    expectFrame(dir.filePath("c.bmp"), s, 3, 8, 255);
    // JPEG: lossy, so only the depth and a smooth picture's level are checked.
    QImage flat(W, H, QImage::Format_Grayscale8);
    flat.fill(180);
    ASSERT_TRUE(flat.save(dir.filePath("g.jpg"), "JPEG", 95));
    const FrameReadResult jpeg = readFrameFile(dir.filePath("g.jpg"));
    ASSERT_TRUE(jpeg.ok()) << qPrintable(jpeg.error);
    EXPECT_EQ(jpeg.frame.bitDepth, 8);
    EXPECT_NEAR(jpeg.frame.at(10, 10), 180.0f, 1.0f);
}

TEST_F(FrameFile, TiffGreyAndRgbAtEightAndSixteenBits)
{
    for (const int bits : {8, 16})
        for (const int channels : {1, 3}) {
            const unsigned top = bits == 16 ? 65535u : 255u;
            const auto s = ramp(channels, top);
            const QString path =
                write(QStringLiteral("t%1_%2.tif").arg(bits).arg(channels), tiffBytes(W, H, channels, bits, s));
            expectFrame(path, s, channels, bits, top);
        }
    // Qt's own 16-bit grey TIFF too.
    QImage image(W, H, QImage::Format_Grayscale16);
    const auto s = ramp(1, 65535);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            reinterpret_cast<quint16 *>(image.scanLine(y))[x] = quint16(s[std::size_t(y) * W + x]);
    ASSERT_TRUE(image.save(dir.filePath("qt16.tif"), "TIFF"));
    expectFrame(dir.filePath("qt16.tif"), s, 1, 16, 65535);
}

TEST_F(FrameFile, BrokenFilesGetOneLineReasons)
{
    const auto s = ramp(1, 65535);
    const QByteArray pgm = netpbmBytes(W, H, 1, 65535, false, s);
    QImage image(W, H, QImage::Format_Grayscale16);
    image.fill(Qt::gray);
    const QByteArray png = pngOf(image);
    const QByteArray tiff = tiffBytes(W, H, 1, 16, s);
    const struct
    {
        const char *name;
        QByteArray bytes;
    } broken[] = {
        {"cut.pgm", pgm.left(pgm.size() - 10)},
        {"cutplain.pgm", netpbmBytes(W, H, 1, 4095, true, ramp(1, 4095)).left(200)},
        {"huge.pgm", "P5\n100000 100000\n255\n\x01\x02"},
        {"nosize.pgm", "P5\n# only a comment\n"},
        {"maxval.pgm", "P5\n2 2\n70000\n\x01\x02\x03\x04\x05\x06\x07\x08"},
        {"above.pgm", "P2\n2 1\n100\n50 101\n"},
        {"above.ppm", QByteArray("P6\n1 1\n1000\n\x00\x05\x03\xe9\x00\x07", 18)},
        {"cut.png", png.left(png.size() / 2)},
        {"cut.tif", tiff.left(tiff.size() / 2)},
        {"empty.png", QByteArray()},
        {"text.tif", "this is not a picture"},
    };
    for (const auto &b : broken) {
        const FrameReadResult r = readFrameFile(write(b.name, b.bytes));
        EXPECT_FALSE(r.ok()) << b.name;
        EXPECT_TRUE(r.error.contains(QLatin1String(b.name))) << qPrintable(r.error);
        EXPECT_FALSE(r.error.contains(QLatin1Char('\n'))) << qPrintable(r.error);
        EXPECT_TRUE(r.frame.values.empty()) << b.name;
    }
    EXPECT_FALSE(readFrameFile(dir.filePath("missing.pgm")).ok());
}
