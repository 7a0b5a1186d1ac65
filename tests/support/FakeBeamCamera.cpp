#include "support/FakeBeamCamera.h"

#include "platform/capture/genicam/Aravis.h"

#include <net/if.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lumetra::test {

std::uint16_t fakeBeamCode(const FakeBeam &beam, int x, int y, double exposureUs, int top)
{
    const double dx = x - beam.cx, dy = y - beam.cy;
    const double g = std::exp(-0.5 * (dx * dx / (beam.sigmaX * beam.sigmaX) + dy * dy / (beam.sigmaY * beam.sigmaY)));
    const double v = top * (beam.darkFraction + beam.peakPerUs * exposureUs * g);
    return std::uint16_t(std::clamp(std::lround(v), 0L, long(top)));
}

namespace {

void fill(ArvBuffer *buffer, void *data, guint32 exposureUs, guint32, ArvPixelFormat format)
{
    const auto *beam = static_cast<const FakeBeam *>(data);
    // The fake camera calls this only for a buffer that holds its whole payload (it reports no
    // size before the pattern is drawn).
    auto *bytes = static_cast<std::uint8_t *>(const_cast<void *>(arv_buffer_get_data(buffer, nullptr)));
    const int w = arv_buffer_get_image_width(buffer), h = arv_buffer_get_image_height(buffer);
    const bool sixteen = format == ARV_PIXEL_FORMAT_MONO_16;
    if (!bytes)
        return;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint16_t v = fakeBeamCode(*beam, x, y, exposureUs, sixteen ? 65535 : 255);
            const std::size_t i = std::size_t(y) * std::size_t(w) + std::size_t(x);
            if (sixteen) {
                bytes[2 * i] = std::uint8_t(v & 0xFF);
                bytes[2 * i + 1] = std::uint8_t(v >> 8);
            } else {
                bytes[i] = std::uint8_t(v);
            }
        }
}

} // namespace

void drawFakeBeam(ArvFakeCamera *camera, const FakeBeam *beam)
{
    arv_fake_camera_set_fill_pattern(camera, fill, const_cast<FakeBeam *>(beam));
}

LoopbackCamera::LoopbackCamera(const FakeBeam &beam, double lostRatio, const QString &serial)
    : m_beam(std::make_unique<FakeBeam>(beam))
{
    m_camera = arv_gv_fake_camera_new("127.0.0.1", serial.toUtf8().constData());
    if (!m_camera)
        return;
    drawFakeBeam(fake(), m_beam.get());
    if (lostRatio > 0)
        g_object_set(m_camera, "gvsp-lost-ratio", lostRatio, nullptr);
}

LoopbackCamera::~LoopbackCamera()
{
    stop();
}

bool LoopbackCamera::isRunning() const
{
    return m_camera && arv_gv_fake_camera_is_running(m_camera);
}

ArvFakeCamera *LoopbackCamera::fake() const
{
    return m_camera ? arv_gv_fake_camera_get_fake_camera(m_camera) : nullptr;
}

void LoopbackCamera::stop()
{
    if (m_camera)
        g_object_unref(m_camera);
    m_camera = nullptr;
}

bool onlyLoopbackNetwork()
{
    struct if_nameindex *names = if_nameindex();
    if (!names)
        return false;
    bool onlyLo = true;
    for (struct if_nameindex *i = names; i->if_index != 0 || i->if_name != nullptr; ++i)
        if (std::strcmp(i->if_name, "lo") != 0)
            onlyLo = false;
    if_freenameindex(names);
    return onlyLo;
}

} // namespace lumetra::test
