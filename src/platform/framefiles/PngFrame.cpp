#include "platform/framefiles/PngFrame.h"

#include "platform/framefiles/FrameFile.h"
#include "platform/framefiles/ImageLoader.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace lumetra {

namespace {

constexpr char Signature[] = "\x89PNG\r\n\x1a\n";

quint32 bigEndian32(const uchar *p)
{
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

bool isPng(QByteArrayView bytes)
{
    return bytes.size() >= 33 && QByteArrayView(bytes.data(), 8) == QByteArrayView(Signature, 8);
}

// Undoes one row's filter in place; `prev` is the row above (all zero for the first row).
template <int Bpp>
bool unfilterRow(int filter, uchar *cur, const uchar *prev, std::size_t n)
{
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (std::size_t i = Bpp; i < n; ++i)
            cur[i] = uchar(cur[i] + cur[i - Bpp]);
        return true;
    case 2:
        for (std::size_t i = 0; i < n; ++i)
            cur[i] = uchar(cur[i] + prev[i]);
        return true;
    case 3:
        for (std::size_t i = 0; i < Bpp; ++i)
            cur[i] = uchar(cur[i] + (prev[i] >> 1));
        for (std::size_t i = Bpp; i < n; ++i)
            cur[i] = uchar(cur[i] + ((unsigned(cur[i - Bpp]) + prev[i]) >> 1));
        return true;
    case 4:
        for (std::size_t i = 0; i < Bpp; ++i)
            cur[i] = uchar(cur[i] + prev[i]);
        for (std::size_t i = Bpp; i < n; ++i) {
            const int a = cur[i - Bpp], b = prev[i], c = prev[i - Bpp];
            const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
            const int predicted = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
            cur[i] = uchar(cur[i] + predicted);
        }
        return true;
    default:
        return false;
    }
}

template <int Bpp>
bool unfilter(uchar *raw, int height, std::size_t rowBytes)
{
    const std::vector<uchar> zeros(rowBytes, 0);
    const uchar *prev = zeros.data();
    for (int y = 0; y < height; ++y) {
        uchar *row = raw + std::size_t(y) * (rowBytes + 1);
        if (!unfilterRow<Bpp>(row[0], row + 1, prev, rowBytes))
            return false;
        prev = row + 1;
    }
    return true;
}

bool unfilterRows(uchar *raw, int height, std::size_t rowBytes, int bpp)
{
    switch (bpp) {
    case 1:
        return unfilter<1>(raw, height, rowBytes);
    case 2:
        return unfilter<2>(raw, height, rowBytes);
    case 3:
        return unfilter<3>(raw, height, rowBytes);
    default:
        return unfilter<6>(raw, height, rowBytes);
    }
}

inline quint32 sample16(const uchar *p)
{
    return quint32(p[0]) << 8 | p[1];
}

// The unfiltered rows as frame values, each sample shifted right by `shift`.
void fillValues(const uchar *raw, std::size_t rowBytes, int channels, int depth, int shift,
                beam::BeamFrame &frame)
{
    float *out = frame.values.data();
    const int w = frame.width;
    for (int y = 0; y < frame.height; ++y) {
        const uchar *p = raw + std::size_t(y) * (rowBytes + 1) + 1;
        if (channels == 1 && depth == 8) {
            for (int x = 0; x < w; ++x)
                *out++ = static_cast<float>(p[x] >> shift);
        } else if (channels == 1) {
            for (int x = 0; x < w; ++x)
                *out++ = static_cast<float>(sample16(p + 2 * x) >> shift);
        } else if (depth == 8) {
            for (int x = 0; x < w; ++x, p += 3)
                *out++ = greyOf(quint32(p[0]) >> shift, quint32(p[1]) >> shift, quint32(p[2]) >> shift);
        } else {
            for (int x = 0; x < w; ++x, p += 6)
                *out++ = greyOf(sample16(p) >> shift, sample16(p + 2) >> shift, sample16(p + 4) >> shift);
        }
    }
}

struct DecompressorDeleter
{
    void operator()(libdeflate_decompressor *d) const { libdeflate_free_decompressor(d); }
};

} // namespace

PngDepth pngDepth(QByteArrayView bytes)
{
    PngDepth d;
    if (!isPng(bytes))
        return d;
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    d.depth = p[24];
    d.significant = d.depth;
    const int colourType = p[25];
    const int colourChannels = (colourType & 2) ? 3 : 1;
    for (qsizetype at = 8; at + 12 <= bytes.size();) {
        const quint32 length = bigEndian32(p + at);
        const QByteArrayView type(bytes.data() + at + 4, 4);
        if (type == "IDAT" || type == "IEND" || length > quint32(bytes.size() - at - 12))
            break;
        if (type == "sBIT" && length >= quint32(colourChannels)) {
            int bits = 0;
            for (int c = 0; c < colourChannels; ++c)
                bits = std::max(bits, int(p[at + 8 + c]));
            // Palette entries are 8-bit whatever the index depth.
            const int limit = colourType == 3 ? 8 : d.depth;
            if (bits > 0 && bits <= limit) {
                d.significant = bits;
                if (colourType == 3)
                    d.depth = 8;
            }
            break;
        }
        at += 12 + qsizetype(length);
    }
    return d;
}

bool decodePngFrame(QByteArrayView bytes, beam::BeamFrame &frame)
{
    if (!isPng(bytes))
        return false;
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    if (bigEndian32(p + 8) != 13 || QByteArrayView(bytes.data() + 12, 4) != "IHDR")
        return false;
    const quint32 width = bigEndian32(p + 16), height = bigEndian32(p + 20);
    const int depth = p[24], colourType = p[25];
    if (width == 0 || height == 0 || width > quint32(MaxImageSide) || height > quint32(MaxImageSide) ||
        qint64(width) * qint64(height) > MaxImagePixels)
        return false;
    if ((depth != 8 && depth != 16) || (colourType != 0 && colourType != 2) || p[26] != 0 || p[27] != 0 ||
        p[28] != 0)
        return false;

    // The IDAT chunks, which must follow one another; transparency makes Qt decode with alpha.
    std::vector<QByteArrayView> parts;
    qsizetype total = 0;
    bool ended = false;
    for (qsizetype at = 33; at + 12 <= bytes.size();) {
        const quint32 length = bigEndian32(p + at);
        if (length > quint32(bytes.size() - at - 12))
            return false;
        const QByteArrayView type(bytes.data() + at + 4, 4);
        if (type == "IEND") {
            ended = true;
            break;
        }
        if (type == "tRNS")
            return false;
        if (type == "IDAT") {
            if (!parts.empty() && parts.back().data() + parts.back().size() + 12 != bytes.data() + at + 8)
                return false;
            parts.emplace_back(bytes.data() + at + 8, qsizetype(length));
            total += qsizetype(length);
        }
        at += 12 + qsizetype(length);
    }
    if (!ended || parts.empty())
        return false;
    std::vector<char> joined;
    QByteArrayView stream = parts.front();
    if (parts.size() > 1) {
        joined.reserve(std::size_t(total));
        for (const QByteArrayView part : parts)
            joined.insert(joined.end(), part.begin(), part.end());
        stream = QByteArrayView(joined.data(), qsizetype(joined.size()));
    }

    const int channels = colourType == 2 ? 3 : 1;
    const int bpp = channels * depth / 8;
    const std::size_t rowBytes = std::size_t(width) * std::size_t(bpp);
    const std::size_t rawSize = std::size_t(height) * (rowBytes + 1);
    const std::unique_ptr<uchar[]> raw(new uchar[rawSize]);
    const std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> inflater(libdeflate_alloc_decompressor());
    // Without an "actual size" out-parameter libdeflate succeeds only when the stream fills the
    // buffer exactly, so a short or overlong stream is declined, as is a bad Adler-32.
    if (!inflater || libdeflate_zlib_decompress(inflater.get(), stream.data(), std::size_t(stream.size()),
                                                raw.get(), rawSize, nullptr) != LIBDEFLATE_SUCCESS)
        return false;
    if (!unfilterRows(raw.get(), int(height), rowBytes, bpp))
        return false;

    const PngDepth d = pngDepth(bytes);
    const int shift = d.depth - d.significant;
    beam::BeamFrame decoded;
    decoded.width = int(width);
    decoded.height = int(height);
    decoded.bitDepth = depth;
    decoded.topValue = double((1u << d.significant) - 1u);
    decoded.values.resize(std::size_t(width) * std::size_t(height));
    fillValues(raw.get(), rowBytes, channels, depth, shift, decoded);
    frame = std::move(decoded);
    return true;
}

} // namespace lumetra
