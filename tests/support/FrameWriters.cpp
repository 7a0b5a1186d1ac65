#include "support/FrameWriters.h"

#include <QFile>

#include <cstdlib>

namespace lumetra::test {

namespace {

void put16le(QByteArray &b, unsigned v)
{
    b.append(char(v & 0xff));
    b.append(char((v >> 8) & 0xff));
}

void put32le(QByteArray &b, unsigned v)
{
    put16le(b, v & 0xffff);
    put16le(b, v >> 16);
}

void put32be(QByteArray &b, unsigned v)
{
    for (int s = 24; s >= 0; s -= 8)
        b.append(char((v >> s) & 0xff));
}

unsigned crc32(const QByteArray &data)
{
    unsigned crc = 0xffffffffu;
    for (const char c : data) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

} // namespace

QByteArray netpbmBytes(int width, int height, int channels, int maxval, bool plain,
                       const std::vector<unsigned> &samples)
{
    const char kind = channels == 3 ? (plain ? '3' : '6') : (plain ? '2' : '5');
    QByteArray b = QByteArray("P") + kind + "\n# written by the tests\n" + QByteArray::number(width) + " " +
                   QByteArray::number(height) + "\n" + QByteArray::number(maxval) + "\n";
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (plain) {
            b += QByteArray::number(samples[i]) + ((i + 1) % 12 ? " " : "\n");
        } else if (maxval > 255) {
            b.append(char(samples[i] >> 8));
            b.append(char(samples[i] & 0xff));
        } else {
            b.append(char(samples[i]));
        }
    }
    return b;
}

QByteArray tiffBytes(int width, int height, int channels, int bits, const std::vector<unsigned> &samples)
{
    const unsigned dataBytes = unsigned(samples.size()) * unsigned(bits / 8);
    QByteArray b("II");
    put16le(b, 42);
    put32le(b, 8); // the directory follows the header; the data and bits-per-sample list after it
    const int entries = 10;
    const unsigned directoryEnd = 8 + 2 + entries * 12 + 4;
    const unsigned bitsAt = directoryEnd;                     // 3 shorts for RGB
    const unsigned dataAt = directoryEnd + (channels == 3 ? 6 : 0);
    put16le(b, entries);
    const auto entry = [&b](unsigned tag, unsigned type, unsigned count, unsigned value) {
        put16le(b, tag);
        put16le(b, type);
        put32le(b, count);
        if (type == 3 && count == 1) {
            put16le(b, value);
            put16le(b, 0);
        } else {
            put32le(b, value);
        }
    };
    entry(256, 4, 1, unsigned(width));
    entry(257, 4, 1, unsigned(height));
    entry(258, 3, unsigned(channels), channels == 3 ? bitsAt : unsigned(bits));
    entry(259, 3, 1, 1);                      // no compression
    entry(262, 3, 1, channels == 3 ? 2 : 1);  // RGB or black is zero
    entry(273, 4, 1, dataAt);                 // strip offset
    entry(277, 3, 1, unsigned(channels));
    entry(278, 4, 1, unsigned(height));       // rows per strip
    entry(279, 4, 1, dataBytes);              // strip byte count
    entry(284, 3, 1, 1);                      // interleaved
    put32le(b, 0);
    if (channels == 3)
        for (int c = 0; c < 3; ++c)
            put16le(b, unsigned(bits));
    for (const unsigned s : samples) {
        if (bits == 16)
            put16le(b, s);
        else
            b.append(char(s));
    }
    return b;
}

QByteArray withSignificantBits(const QByteArray &png, int bits, int channels)
{
    QByteArray body("sBIT");
    for (int c = 0; c < channels; ++c)
        body.append(char(bits));
    QByteArray chunk;
    put32be(chunk, unsigned(channels));
    chunk += body;
    put32be(chunk, crc32(body));
    const int afterHeader = 8 + 8 + 13 + 4; // signature, IHDR length+type, IHDR data, CRC
    return png.left(afterHeader) + chunk + png.mid(afterHeader);
}

namespace {

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    QByteArray chunk;
    put32be(chunk, unsigned(data.size()));
    const QByteArray body = QByteArray(type, 4) + data;
    chunk += body;
    put32be(chunk, crc32(body));
    return chunk;
}

int paeth(int a, int b, int c)
{
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}

} // namespace

QByteArray pngBytes(int width, int height, int channels, int bits, const std::vector<unsigned> &samples,
                    const std::vector<int> &filters, int idatSize)
{
    const int bpp = channels * bits / 8;
    const int rowBytes = width * bpp;
    QByteArray raw;
    QByteArray prev(rowBytes, '\0');
    for (int y = 0; y < height; ++y) {
        QByteArray row;
        for (int i = 0; i < width * channels; ++i) {
            const unsigned v = samples[std::size_t(y) * std::size_t(width * channels) + std::size_t(i)];
            if (bits == 16)
                row.append(char(v >> 8));
            row.append(char(v & 0xff));
        }
        const int filter = filters[std::size_t(y) % filters.size()];
        raw.append(char(filter));
        for (int i = 0; i < rowBytes; ++i) {
            const int x = static_cast<unsigned char>(row[i]);
            const int a = i >= bpp ? static_cast<unsigned char>(row[i - bpp]) : 0;
            const int b = static_cast<unsigned char>(prev[i]);
            const int c = i >= bpp ? static_cast<unsigned char>(prev[i - bpp]) : 0;
            const int predicted = filter == 1 ? a : filter == 2 ? b : filter == 3 ? (a + b) / 2
                                : filter == 4 ? paeth(a, b, c) : 0;
            raw.append(char((x - predicted) & 0xff));
        }
        prev = row;
    }
    QByteArray header;
    put32be(header, unsigned(width));
    put32be(header, unsigned(height));
    header.append(char(bits));
    header.append(char(channels == 3 ? 2 : 0));
    header.append(QByteArray(3, '\0'));
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png += pngChunk("IHDR", header);
    const QByteArray stream = qCompress(raw).mid(4); // qCompress puts the length before the zlib stream
    for (qsizetype at = 0; at < stream.size(); at += idatSize)
        png += pngChunk("IDAT", stream.mid(at, idatSize));
    png += pngChunk("IEND", QByteArray());
    return png;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace lumetra::test
