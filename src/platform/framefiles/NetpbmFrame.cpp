#include "platform/framefiles/NetpbmFrame.h"

#include "types/MessageLanguage.h"
#include "platform/framefiles/PixelBudget.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace lumetra {

namespace {

// Reads the header's and the plain formats' decimal numbers, skipping blanks and # comments.
class NetpbmScanner
{
public:
    explicit NetpbmScanner(FrameInput &input) : m_in(input) {}

    // The next number, or -1 when there is none (end of data or not a digit).
    qint64 number()
    {
        skipBlanks();
        if (!std::isdigit(m_in.peek()))
            return -1;
        qint64 value = 0;
        while (std::isdigit(m_in.peek())) {
            value = value * 10 + (m_in.get() - '0');
            if (value > 0x7fffffff)
                return -1;
        }
        return value;
    }

    // After maxval: exactly one whitespace character, then the raster.
    bool skipOneBlank()
    {
        const int c = m_in.peek();
        if (c < 0 || !std::isspace(c))
            return false;
        m_in.get();
        return true;
    }

private:
    void skipBlanks()
    {
        for (int c = m_in.peek(); c >= 0; c = m_in.peek()) {
            if (c == '#') {
                while (m_in.peek() >= 0 && m_in.peek() != '\n' && m_in.peek() != '\r')
                    m_in.get();
            } else if (std::isspace(c)) {
                m_in.get();
            } else {
                return;
            }
        }
    }

    FrameInput &m_in;
};

// Sample k of a binary row: one byte, or two bytes most significant first.
template <int Bytes>
inline quint32 sampleAt(const uchar *raster, qsizetype k)
{
    if constexpr (Bytes == 1)
        return raster[k];
    else
        return quint32(raster[2 * k]) << 8 | raster[2 * k + 1];
}

// The binary rows, one loop per layout so that each runs without a test per pixel; each
// returns the highest sample.
template <int Bytes>
quint32 decodeGrey(const uchar *raster, qsizetype pixels, float *out)
{
    quint32 highest = 0;
    for (qsizetype i = 0; i < pixels; ++i) {
        const quint32 v = sampleAt<Bytes>(raster, i);
        highest = std::max(highest, v);
        out[i] = static_cast<float>(v);
    }
    return highest;
}

template <int Bytes>
quint32 decodeColour(const uchar *raster, qsizetype pixels, float *out)
{
    quint32 highest = 0;
    for (qsizetype i = 0; i < pixels; ++i) {
        const quint32 r = sampleAt<Bytes>(raster, 3 * i), g = sampleAt<Bytes>(raster, 3 * i + 1),
                      b = sampleAt<Bytes>(raster, 3 * i + 2);
        highest = std::max({highest, r, g, b});
        out[i] = greyOf(r, g, b);
    }
    return highest;
}

} // namespace

bool looksLikeNetpbm(QByteArrayView bytes)
{
    return bytes.size() >= 2 && bytes[0] == 'P' &&
           (bytes[1] == '2' || bytes[1] == '3' || bytes[1] == '5' || bytes[1] == '6');
}

FrameReadResult decodeNetpbm(QByteArrayView bytes, const QString &name)
{
    FrameInput input(bytes);
    return decodeNetpbm(input, name);
}

FrameReadResult decodeNetpbm(FrameInput &input, const QString &name)
{
    FrameReadResult result;
    const auto fail = [&result, &name](const QString &what) {
        result.frame = {};
        result.error = QStringLiteral("%1: %2").arg(what, name);
        return result;
    };
    char magic[2] = {0, 0};
    if (!input.readExactly(magic, 2) || !looksLikeNetpbm(QByteArrayView(magic, 2)))
        return fail(messageText("不是 PGM/PPM 文件", "not a PGM/PPM file"));
    const char kind = magic[1];
    const bool colour = kind == '3' || kind == '6';
    const bool plain = kind == '2' || kind == '3';
    NetpbmScanner scan(input);
    const qint64 width = scan.number();
    const qint64 height = scan.number();
    const qint64 maxval = scan.number();
    if (width <= 0 || height <= 0 || maxval <= 0)
        return fail(messageText("PGM/PPM 文件头无效", "the PGM/PPM header is not valid"));
    if (const QString refusal = pixelBudgetRefusal(width, height); !refusal.isEmpty())
        return fail(refusal);
    if (maxval > 65535)
        return fail(messageText("PGM/PPM 的最大值 %1 超过 65535", "the PGM/PPM maximum value %1 is over 65535").arg(maxval));
    if (!scan.skipOneBlank())
        return fail(messageText("PGM/PPM 文件头无效", "the PGM/PPM header is not valid"));

    // What the rest of the file must hold: every sample (binary), or at least one digit and one
    // blank per sample (plain). Checked before the frame is allocated.
    const int channels = colour ? 3 : 1;
    const int sampleBytes = maxval > 255 ? 2 : 1;
    const qint64 samples = width * height * channels;
    const qint64 need = plain ? 2 * samples - 1 : samples * sampleBytes;
    if (input.remaining() < need)
        return fail(messageText("图像文件已损坏或不完整 (文件头说 %1 x %2，文件只有 %3 字节)", "the picture file is damaged or incomplete (the header says %1 x %2, the file holds only %3 bytes)")
                        .arg(width)
                        .arg(height)
                        .arg(input.size()));

    beam::BeamFrame &frame = result.frame;
    frame.width = static_cast<int>(width);
    frame.height = static_cast<int>(height);
    frame.bitDepth = maxval > 255 ? 16 : 8;
    frame.topValue = static_cast<double>(maxval);
    frame.values.resize(static_cast<std::size_t>(width * height));
    quint32 highest = 0;

    if (plain) {
        for (float &out : frame.values) {
            qint64 s[3] = {0, 0, 0};
            for (int c = 0; c < channels; ++c) {
                s[c] = scan.number();
                if (s[c] < 0)
                    return fail(messageText("图像文件已损坏或不完整", "the picture file is damaged or incomplete"));
                highest = std::max(highest, static_cast<quint32>(std::min<qint64>(s[c], 0xffffffff)));
            }
            out = colour ? greyOf(quint32(s[0]), quint32(s[1]), quint32(s[2])) : static_cast<float>(s[0]);
        }
    } else {
        const qsizetype rowBytes = qsizetype(width) * channels * sampleBytes;
        std::vector<uchar> row(static_cast<std::size_t>(rowBytes));
        for (qint64 y = 0; y < height; ++y) {
            if (!input.readExactly(reinterpret_cast<char *>(row.data()), rowBytes))
                return fail(messageText("图像文件已损坏或不完整", "the picture file is damaged or incomplete"));
            float *out = frame.values.data() + y * width;
            quint32 top = 0;
            if (colour)
                top = sampleBytes == 1 ? decodeColour<1>(row.data(), width, out) : decodeColour<2>(row.data(), width, out);
            else
                top = sampleBytes == 1 ? decodeGrey<1>(row.data(), width, out) : decodeGrey<2>(row.data(), width, out);
            highest = std::max(highest, top);
        }
    }
    if (highest > maxval)
        return fail(messageText("PGM/PPM 的像素值 %1 超过最大值 %2", "the PGM/PPM pixel value %1 is over the maximum value %2").arg(highest).arg(maxval));
    return result;
}

} // namespace lumetra
