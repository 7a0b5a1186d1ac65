#include "platform/framefiles/PngFrame.h"

#include "types/MessageLanguage.h"
#include "platform/framefiles/FrameFile.h"
#include "platform/framefiles/PixelBudget.h"
#include "platform/framefiles/PngUnfilter.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace lumetra {

namespace {

constexpr char Signature[] = "\x89PNG\r\n\x1a\n";
// Deflate cannot expand data more than about 1032 times.
constexpr qint64 MostInflation = 1032;
// Room for the compressed stream of a picture too small to hold it in its samples.
constexpr qint64 SmallStreamRoom = 64 * 1024;

quint32 bigEndian32(const uchar *p)
{
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

inline quint32 sample16(const uchar *p)
{
    return quint32(p[0]) << 8 | p[1];
}

// One unfiltered row as frame values, each sample shifted right by `shift`.
void fillRow(const uchar *p, int w, int channels, int depth, int shift, float *out)
{
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

int channelsOf(int colourType)
{
    switch (colourType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

// The IDAT chunks' bytes in order, read as the inflater asks for them; the chunks must follow
// one another.
class IdatReader
{
public:
    IdatReader(FrameInput &input, quint32 firstLength) : m_in(input), m_left(firstLength) {}

    // Refills `stream`'s input; false when the IDAT chunks are used up or the file ends.
    bool refill(z_stream &stream)
    {
        while (m_left == 0) {
            if (m_done || !nextHeader() || m_nextType != "IDAT")
                return false;
            m_done = false;
            m_left = m_next;
        }
        const qint64 take = std::min<qint64>(m_left, qint64(m_buffer.size()));
        if (!m_in.readExactly(reinterpret_cast<char *>(m_buffer.data()), take))
            return false;
        m_left -= quint32(take);
        stream.next_in = m_buffer.data();
        stream.avail_in = uInt(take);
        return true;
    }

    // Every IDAT chunk's bytes, in order, into `out`: their size, or -1 when the file ends first
    // or they do not fit in `capacity` bytes.
    qint64 readAll(uchar *out, qint64 capacity)
    {
        qint64 size = 0;
        for (;;) {
            if (qint64(m_left) > capacity - size || !m_in.readExactly(reinterpret_cast<char *>(out + size), m_left))
                return -1;
            size += m_left;
            m_left = 0;
            if (!nextHeader())
                return -1;
            if (m_nextType != "IDAT")
                return size;
            m_done = false;
            m_left = m_next;
        }
    }

    // After the stream: every chunk up to IEND (compressed bytes after the stream's end are let
    // pass, as Qt's decoder lets them).
    bool reachesEnd()
    {
        if (!m_done) {
            if (!m_in.skip(m_left) || !nextHeader())
                return false;
        }
        while (m_nextType != "IEND") {
            if (!m_in.skip(qint64(m_next)) || !nextHeader())
                return false;
        }
        return true;
    }

private:
    // The previous chunk's CRC, then the next chunk's length and type.
    bool nextHeader()
    {
        uchar header[12];
        if (!m_in.readExactly(reinterpret_cast<char *>(header), 12))
            return false;
        m_next = bigEndian32(header + 4);
        m_nextType = QByteArray(reinterpret_cast<const char *>(header) + 8, 4);
        m_done = true;
        return true;
    }

    FrameInput &m_in;
    quint32 m_left;
    quint32 m_next = 0;
    QByteArray m_nextType;
    bool m_done = false;
    std::vector<uchar> m_buffer = std::vector<uchar>(64 * 1024);
};

struct Inflater
{
    z_stream stream{};
    bool ready = false;
    Inflater() { ready = inflateInit(&stream) == Z_OK; }
    ~Inflater()
    {
        if (ready)
            inflateEnd(&stream);
    }
};

// Inflates, unfilters and converts the rows; false when the stream does not decode to exactly
// the picture's rows.
bool decodeRows(IdatReader &idat, int channels, int depth, int shift, beam::BeamFrame &frame)
{
    const int bpp = channels * depth / 8;
    const std::size_t rowBytes = std::size_t(frame.width) * std::size_t(bpp);
    std::vector<uchar> cur(rowBytes + 1), prev(rowBytes + 1, 0);
    Inflater inflater;
    if (!inflater.ready)
        return false;
    z_stream &z = inflater.stream;
    for (int y = 0; y < frame.height; ++y) {
        z.next_out = cur.data();
        z.avail_out = uInt(rowBytes + 1);
        while (z.avail_out > 0) {
            if (z.avail_in == 0 && !idat.refill(z))
                return false;
            const int status = inflate(&z, Z_NO_FLUSH);
            if (status == Z_STREAM_END && z.avail_out > 0)
                return false; // the stream ended before the picture
            if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
                return false;
        }
        if (!unfilterPngRow(bpp, cur[0], cur.data() + 1, prev.data() + 1, rowBytes))
            return false;
        fillRow(cur.data() + 1, frame.width, channels, depth, shift,
                frame.values.data() + std::size_t(y) * std::size_t(frame.width));
        std::swap(cur, prev);
    }
    // The stream must end here (its checksum checked), with nothing more to give.
    uchar extra = 0;
    for (;;) {
        z.next_out = &extra;
        z.avail_out = 1;
        const int status = inflate(&z, Z_NO_FLUSH);
        if (status == Z_STREAM_END)
            return z.avail_out == 1;
        if (z.avail_out == 0 || (status != Z_OK && status != Z_BUF_ERROR))
            return false;
        if (z.avail_in == 0 && !idat.refill(z))
            return false;
    }
}

struct DecompressorDeleter
{
    void operator()(libdeflate_decompressor *d) const { libdeflate_free_decompressor(d); }
};

// Grey pictures in one go: the compressed stream is read into the frame's own samples (whose
// 4 bytes a pixel it fits in unless it carries much more than the picture), inflated at once into
// the exact size of the picture's filtered rows (1 or 2 bytes a pixel and a byte a row), and the
// rows are unfiltered and converted into the samples, over the stream they no longer need. False
// when the stream does not decode to exactly those rows.
bool decodeGrey(IdatReader &idat, int depth, int shift, beam::BeamFrame &frame)
{
    const int bpp = depth / 8;
    const std::size_t rowBytes = std::size_t(frame.width) * std::size_t(bpp);
    const std::size_t rawSize = std::size_t(frame.height) * (rowBytes + 1);
    uchar *stream = reinterpret_cast<uchar *>(frame.values.data());
    qint64 capacity = qint64(frame.values.size() * sizeof(float));
    std::vector<uchar> smallPicture; // a few hundred pixels: their stream's headers may not fit
    if (capacity < SmallStreamRoom) {
        smallPicture.resize(std::size_t(SmallStreamRoom));
        stream = smallPicture.data();
        capacity = SmallStreamRoom;
    }
    const qint64 streamSize = idat.readAll(stream, capacity);
    if (streamSize < 0)
        return false;
    const std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> inflater(libdeflate_alloc_decompressor());
    const std::unique_ptr<uchar[]> raw(new (std::nothrow) uchar[rawSize]);
    if (!inflater || !raw)
        return false;
    std::size_t used = 0;
    // The stream must fill the rows exactly, its checksum right; bytes after its end are let pass.
    if (libdeflate_zlib_decompress_ex(inflater.get(), stream, std::size_t(streamSize), raw.get(), rawSize, &used,
                                      nullptr) != LIBDEFLATE_SUCCESS)
        return false;
    const std::vector<uchar> zeros(rowBytes, 0);
    const uchar *prev = zeros.data();
    // Two rows at a time where both predict from the left: their chains from byte to byte run
    // side by side.
    const auto rowAt = [&](int y) { return raw.get() + std::size_t(y) * (rowBytes + 1); };
    for (int y = 0; y < frame.height;) {
        uchar *first = rowAt(y);
        const int done = y + 1 < frame.height
                             ? unfilterPngRows(bpp, first[0], first + 1, rowAt(y + 1)[0], rowAt(y + 1) + 1, prev, rowBytes)
                             : (unfilterPngRow(bpp, first[0], first + 1, prev, rowBytes) ? 1 : -1);
        if (done < 0)
            return false;
        for (int k = 0; k < done; ++k, ++y)
            fillRow(rowAt(y) + 1, frame.width, 1, depth, shift,
                    frame.values.data() + std::size_t(y) * std::size_t(frame.width));
        prev = rowAt(y - 1) + 1;
    }
    return true;
}

} // namespace

PngOutcome decodePng(FrameInput &input, beam::BeamFrame &frame, PngDepth &depth, QString &error, bool headerOnly)
{
    uchar head[33];
    if (!input.readExactly(reinterpret_cast<char *>(head), 33) ||
        QByteArrayView(reinterpret_cast<const char *>(head), 8) != QByteArrayView(Signature, 8))
        return PngOutcome::Declined;
    if (bigEndian32(head + 8) != 13 || QByteArrayView(reinterpret_cast<const char *>(head) + 12, 4) != "IHDR")
        return PngOutcome::Declined;
    const quint32 width = bigEndian32(head + 16), height = bigEndian32(head + 20);
    const int bits = head[24], colourType = head[25];
    depth.depth = bits;
    depth.significant = bits;
    if (width == 0 || height == 0)
        return PngOutcome::Declined;
    if (const QString refusal = pixelBudgetRefusal(width, height); !refusal.isEmpty()) {
        error = refusal;
        return PngOutcome::Refused;
    }
    // The rows the header promises (without interlacing, which only adds to them) against what
    // the rest of the file can inflate to.
    const qint64 rowBits = qint64(width) * channelsOf(colourType) * std::clamp(bits, 1, 16);
    const qint64 rawBytes = qint64(height) * ((rowBits + 7) / 8 + 1);
    if (rawBytes > MostInflation * input.remaining() + 1024) {
        error = messageText("图像文件已损坏或不完整 (文件头说 %1 x %2，文件只有 %3 字节)", "the picture file is damaged or incomplete (the header says %1 x %2, the file holds only %3 bytes)")
                    .arg(width)
                    .arg(height)
                    .arg(input.size());
        return PngOutcome::Refused;
    }

    // The chunks before the first IDAT: sBIT gives the significant bits, tRNS makes Qt decode
    // with alpha.
    bool transparency = false;
    quint32 idatLength = 0;
    for (;;) {
        uchar chunk[8];
        if (!input.readExactly(reinterpret_cast<char *>(chunk), 8))
            return PngOutcome::Declined;
        const quint32 length = bigEndian32(chunk);
        const QByteArrayView type(reinterpret_cast<const char *>(chunk) + 4, 4);
        if (qint64(length) > input.remaining() - 4)
            return PngOutcome::Declined;
        if (type == "IDAT") {
            idatLength = length;
            break;
        }
        if (type == "IEND")
            return PngOutcome::Declined;
        if (type == "tRNS")
            transparency = true;
        if (type == "sBIT" && length <= 4) {
            uchar sbit[4] = {0, 0, 0, 0};
            if (!input.readExactly(reinterpret_cast<char *>(sbit), length) || !input.skip(4))
                return PngOutcome::Declined;
            const int colourChannels = (colourType & 2) ? 3 : 1;
            if (length >= quint32(colourChannels)) {
                int significant = 0;
                for (int c = 0; c < colourChannels; ++c)
                    significant = std::max(significant, int(sbit[c]));
                // Palette entries are 8-bit whatever the index depth.
                const int limit = colourType == 3 ? 8 : bits;
                if (significant > 0 && significant <= limit) {
                    depth.significant = significant;
                    if (colourType == 3)
                        depth.depth = 8;
                }
            }
            continue;
        }
        if (!input.skip(qint64(length) + 4))
            return PngOutcome::Declined;
    }
    if ((bits != 8 && bits != 16) || (colourType != 0 && colourType != 2) || head[26] != 0 || head[27] != 0 ||
        head[28] != 0 || transparency || headerOnly)
        return PngOutcome::Declined;

    beam::BeamFrame decoded;
    decoded.width = int(width);
    decoded.height = int(height);
    decoded.bitDepth = bits;
    decoded.topValue = double((1u << depth.significant) - 1u);
    decoded.values.resize(std::size_t(width) * std::size_t(height));
    IdatReader idat(input, idatLength);
    const int shift = depth.depth - depth.significant;
    const bool decodedRows = colourType == 0 ? decodeGrey(idat, bits, shift, decoded)
                                             : decodeRows(idat, 3, bits, shift, decoded);
    if (!decodedRows || !idat.reachesEnd())
        return PngOutcome::Declined;
    frame = std::move(decoded);
    return PngOutcome::Decoded;
}

bool decodePngFrame(QByteArrayView bytes, beam::BeamFrame &frame)
{
    FrameInput input(bytes);
    PngDepth depth;
    QString error;
    return decodePng(input, frame, depth, error) == PngOutcome::Decoded;
}

} // namespace lumetra
