#include "platform/framefiles/TiffFrame.h"

#include <QFile>
#include <QtEndian>

#include <array>

namespace lumetra {

namespace {

constexpr quint16 MaxSampleValueTag = 281;
enum : quint16 { Short = 3, Long = 4 };

struct Entry
{
    quint16 tag;
    quint16 type;
    quint32 value;
};

template <typename T>
void append(QByteArray &out, T v)
{
    char bytes[sizeof(T)];
    qToLittleEndian(v, bytes);
    out.append(bytes, sizeof(T));
}

} // namespace

QByteArray deepTiff(const DeepFrame &frame)
{
    const bool wide = frame.bitDepth > 8;
    const quint32 samples = quint32(frame.width) * quint32(frame.height);
    const std::array<Entry, 10> entries{{
        {256, Long, quint32(frame.width)},
        {257, Long, quint32(frame.height)},
        {258, Short, wide ? 16u : 8u},
        {259, Short, 1},  // uncompressed
        {262, Short, 1},  // black is zero
        {273, Long, 0},   // the strip's offset, filled in below
        {277, Short, 1},  // one sample a pixel
        {278, Long, quint32(frame.height)},
        {279, Long, samples * (wide ? 2u : 1u)},
        {MaxSampleValueTag, Short, quint32(frame.topValue())},
    }};
    const quint32 dataAt = 8 + 2 + quint32(entries.size()) * 12 + 4;
    QByteArray out("II");
    out.reserve(int(dataAt + samples * 2));
    append<quint16>(out, 42);
    append<quint32>(out, 8);
    append<quint16>(out, quint16(entries.size()));
    for (const Entry &e : entries) {
        append<quint16>(out, e.tag);
        append<quint16>(out, e.type);
        append<quint32>(out, 1);
        const quint32 value = e.tag == 273 ? dataAt : e.value;
        if (e.type == Short) {
            append<quint16>(out, quint16(value));
            append<quint16>(out, 0);
        } else {
            append<quint32>(out, value);
        }
    }
    append<quint32>(out, 0); // no further image
    for (const std::uint16_t v : frame.samples) {
        if (wide)
            append<quint16>(out, v);
        else
            out.append(char(v));
    }
    return out;
}

std::optional<quint32> tiffMaxSampleValue(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray header = file.read(8);
    if (header.size() < 8 || !(header.startsWith("II*\0") || header.startsWith(QByteArray("MM\0*", 4))))
        return std::nullopt;
    const bool little = header[0] == 'I';
    const auto u16 = [little](const char *p) { return little ? qFromLittleEndian<quint16>(p) : qFromBigEndian<quint16>(p); };
    const auto u32 = [little](const char *p) { return little ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p); };
    if (!file.seek(u32(header.constData() + 4)))
        return std::nullopt;
    const QByteArray count = file.read(2);
    if (count.size() < 2)
        return std::nullopt;
    const int n = u16(count.constData());
    const QByteArray directory = file.read(qint64(n) * 12);
    for (int i = 0; i + 1 <= n && (i + 1) * 12 <= directory.size(); ++i) {
        const char *e = directory.constData() + i * 12;
        if (u16(e) != MaxSampleValueTag)
            continue;
        // One value a sample, the same for every sample of a grey frame: the first counts. Values
        // that do not fit in the entry's four bytes are at the offset it holds.
        const quint16 type = u16(e + 2);
        const quint32 values = u32(e + 4);
        if ((type != Short && type != Long) || values == 0)
            return std::nullopt;
        const int size = type == Short ? 2 : 4;
        QByteArray first(e + 8, 4);
        if (values * quint32(size) > 4 && (!file.seek(u32(e + 8)) || (first = file.read(size)).size() < size))
            return std::nullopt;
        return type == Short ? u16(first.constData()) : u32(first.constData());
    }
    return std::nullopt;
}

} // namespace lumetra
