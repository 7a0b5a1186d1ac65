#include "ScriptedGenicamPort.h"

#include "devices/genicam/MonoUnpacking.h"

#include <glib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace lumetra::test {

namespace {

GQuark scriptedDomain()
{
    return g_quark_from_static_string("scripted-camera");
}

// Sets `error` as GLib does: a second error over the first is a fault the test must see.
void fail(GError **error, const QString &message)
{
    g_set_error_literal(error, scriptedDomain(), 1, message.toUtf8().constData());
}

std::uint32_t code(const QString &name)
{
    return name == QLatin1String("Mono12") ? MonoFormat::Mono12 : MonoFormat::Mono8;
}

} // namespace

bool ScriptedGenicamPort::gone(GError **error)
{
    if (!m_script->vanished)
        return false;
    fail(error, QStringLiteral("timeout"));
    return true;
}

bool ScriptedGenicamPort::isAvailable(Feature feature, GError **error)
{
    std::lock_guard lock(m_script->mutex);
    return !gone(error) && !m_script->missing.contains(feature);
}

void ScriptedGenicamPort::bounds(Value value, double *minimum, double *maximum, GError **error)
{
    std::lock_guard lock(m_script->mutex);
    if (gone(error))
        return;
    *minimum = m_script->ranges[value].first;
    *maximum = m_script->ranges[value].second;
}

double ScriptedGenicamPort::get(Value value, GError **error)
{
    std::lock_guard lock(m_script->mutex);
    return gone(error) ? 0 : m_script->values[value];
}

void ScriptedGenicamPort::set(Value value, double v, GError **error)
{
    std::lock_guard lock(m_script->mutex);
    if (gone(error))
        return;
    const auto refusal = m_script->refusals.find(value);
    if (refusal != m_script->refusals.end())
        fail(error, refusal->second);
    else
        m_script->values[value] = v;
}

void ScriptedGenicamPort::binningBounds(int *minimum, int *maximum, GError **error)
{
    std::lock_guard lock(m_script->mutex);
    if (gone(error))
        return;
    const QList<int> all(m_script->binnings.begin(), m_script->binnings.end());
    *minimum = *std::min_element(all.begin(), all.end());
    *maximum = *std::max_element(all.begin(), all.end());
}

int ScriptedGenicamPort::binning(GError **error)
{
    std::lock_guard lock(m_script->mutex);
    return gone(error) ? 1 : m_script->binning;
}

void ScriptedGenicamPort::setBinning(int binning, GError **error)
{
    std::lock_guard lock(m_script->mutex);
    if (gone(error))
        return;
    if (m_script->binnings.contains(binning))
        m_script->binning = binning;
    else
        fail(error, QStringLiteral("value not in the enumeration"));
}

QSize ScriptedGenicamPort::sensorSize()
{
    std::lock_guard lock(m_script->mutex);
    return m_script->sensor;
}

QRect ScriptedGenicamPort::region(GError **error)
{
    std::lock_guard lock(m_script->mutex);
    return gone(error) ? QRect() : m_script->region;
}

void ScriptedGenicamPort::setRegion(const QRect &region, GError **error)
{
    std::lock_guard lock(m_script->mutex);
    if (!gone(error))
        m_script->region = region;
}

QList<std::pair<std::uint32_t, QString>> ScriptedGenicamPort::pixelFormats()
{
    return {{MonoFormat::Mono8, QStringLiteral("Mono8")}, {MonoFormat::Mono12, QStringLiteral("Mono12")}};
}

std::uint32_t ScriptedGenicamPort::pixelFormat(GError **error)
{
    std::lock_guard lock(m_script->mutex);
    return gone(error) ? 0 : code(m_script->pixelFormat);
}

QString ScriptedGenicamPort::pixelFormatName()
{
    std::lock_guard lock(m_script->mutex);
    return m_script->pixelFormat;
}

void ScriptedGenicamPort::setPixelFormat(const QString &name, GError **error)
{
    std::lock_guard lock(m_script->mutex);
    if (!gone(error))
        m_script->pixelFormat = name;
}

std::size_t ScriptedGenicamPort::payload(GError **error)
{
    std::lock_guard lock(m_script->mutex);
    if (gone(error))
        return 0;
    const int bytes = m_script->pixelFormat == QLatin1String("Mono8") ? 1 : 2;
    return std::size_t(m_script->region.width()) * std::size_t(m_script->region.height()) * std::size_t(bytes);
}

bool ScriptedGenicamPort::openStream(std::size_t payload, int, GError **error)
{
    std::lock_guard lock(m_script->mutex);
    if (gone(error))
        return false;
    m_data.assign(payload, 0);
    return true;
}

void ScriptedGenicamPort::startAcquisition(GError **error)
{
    std::lock_guard lock(m_script->mutex);
    if (gone(error))
        return;
    if (!m_script->refuseStart.isEmpty()) {
        fail(error, m_script->refuseStart);
        return;
    }
    ++m_script->starts;
    m_acquiring = true;
}

void ScriptedGenicamPort::stopAcquisition()
{
    m_acquiring = false;
}

void ScriptedGenicamPort::closeStream()
{
    m_acquiring = false;
    m_data.clear();
}

std::optional<GenicamPort::Buffer> ScriptedGenicamPort::pop(std::int64_t timeoutUs)
{
    std::this_thread::sleep_for(std::chrono::microseconds(std::clamp<std::int64_t>(timeoutUs, 0, 5000)));
    std::lock_guard lock(m_script->mutex);
    if (!m_acquiring || m_script->vanished || timeoutUs <= 0)
        return std::nullopt;
    Buffer b;
    b.token = m_data.data();
    b.image = true;
    b.frameId = ++m_script->frameId;
    b.complete = m_script->incomplete == 0;
    if (m_script->incomplete > 0)
        --m_script->incomplete;
    if (!b.complete)
        return b;
    // A round Gaussian spot in the middle of the region, `level` at its peak.
    const bool deep = m_script->pixelFormat != QLatin1String("Mono8");
    const int w = m_script->region.width(), h = m_script->region.height();
    if (m_data.size() < std::size_t(w) * std::size_t(h) * (deep ? 2u : 1u)) {
        b.complete = false; // the region grew under a running stream: no whole frame fits
        return b;
    }
    const double sigma = std::max(1.0, std::min(w, h) / 8.0);
    const int top = deep ? 4095 : 255;
    const int peak = m_script->levelPerUs > 0
                         ? int(std::min<double>(top, m_script->levelPerUs * m_script->values[Value::ExposureUs]))
                         : m_script->level;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double r2 = (x - w / 2) * (x - w / 2) + (y - h / 2) * (y - h / 2);
            const auto v = unsigned(std::lround(peak * std::exp(-r2 / (2 * sigma * sigma))));
            const std::size_t i = std::size_t(y) * std::size_t(w) + std::size_t(x);
            if (deep) {
                m_data[2 * i] = std::uint8_t(v & 0xff);
                m_data[2 * i + 1] = std::uint8_t(v >> 8);
            } else {
                m_data[i] = std::uint8_t(v);
            }
        }
    b.pixelFormat = code(m_script->pixelFormat);
    b.data = m_data.data();
    b.size = m_data.size();
    b.width = m_script->region.width();
    b.height = m_script->region.height();
    return b;
}

} // namespace lumetra::test
