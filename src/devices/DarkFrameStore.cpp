#include "devices/DarkFrameStore.h"

#include "devices/CameraSettingsStore.h"
#include "platform/system/DurableWrite.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cmath>

namespace lumetra {

namespace {

constexpr quint32 Magic = 0x4C444B46; // "LDKF"
constexpr quint32 Version = 1;

QString darkFramePath(const QString &serial)
{
    return QFileInfo(cameraSettingsFile()).dir().filePath(QStringLiteral("dark-%1.bin").arg(QString::fromLatin1(serial.toUtf8().toHex())));
}

bool sameValue(double a, double b)
{
    return std::abs(a - b) <= 1e-6 * std::max(1.0, std::abs(b));
}

bool sameSettings(const CameraSettings &a, const CameraSettings &b)
{
    return a.pixelFormat == b.pixelFormat && a.roi == b.roi && a.binning == b.binning && sameValue(a.exposureUs, b.exposureUs)
           && sameValue(a.gain, b.gain);
}

void writeSettings(QDataStream &out, const CameraSettings &s)
{
    out << s.pixelFormat << s.exposureUs << s.gain << s.roi << qint32(s.binning);
}

CameraSettings readSettings(QDataStream &in)
{
    CameraSettings s;
    qint32 binning = 1;
    in >> s.pixelFormat >> s.exposureUs >> s.gain >> s.roi >> binning;
    s.binning = binning;
    return s;
}

} // namespace

bool saveDarkFrame(const QString &serial, const CameraSettings &collectedAt, const beam::BeamFrame &dark)
{
    if (dark.width <= 0 || dark.height <= 0 || dark.values.size() != std::size_t(dark.width) * std::size_t(dark.height))
        return false;
    const QString path = darkFramePath(serial);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_0);
    out << Magic << Version;
    writeSettings(out, collectedAt);
    out << qint32(dark.width) << qint32(dark.height) << qint32(dark.bitDepth) << dark.topValue;
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    for (const float v : dark.values)
        out << v;
    return out.status() == QDataStream::Ok && commitDurably(file);
}

std::optional<beam::BeamFrame> loadDarkFrame(const QString &serial, const CameraSettings &now)
{
    QFile file(darkFramePath(serial));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, version = 0;
    in >> magic >> version;
    if (magic != Magic || version != Version)
        return std::nullopt;
    if (!sameSettings(readSettings(in), now))
        return std::nullopt;
    qint32 width = 0, height = 0, depth = 0;
    beam::BeamFrame dark;
    in >> width >> height >> depth >> dark.topValue;
    // Only a frame of the size the file's bytes can hold: a damaged file is no dark frame.
    const qint64 samples = qint64(width) * qint64(height);
    if (in.status() != QDataStream::Ok || width <= 0 || height <= 0 || samples * 4 != file.size() - file.pos())
        return std::nullopt;
    dark.width = width;
    dark.height = height;
    dark.bitDepth = depth;
    dark.values.resize(std::size_t(samples));
    in.setFloatingPointPrecision(QDataStream::SinglePrecision);
    for (float &v : dark.values)
        in >> v;
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return dark;
}

void forgetDarkFrame(const QString &serial)
{
    QFile::remove(darkFramePath(serial));
}

} // namespace lumetra
