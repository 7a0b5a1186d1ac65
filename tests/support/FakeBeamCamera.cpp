#include "support/FakeBeamCamera.h"

#include "devices/genicam/Aravis.h"

#include <net/if.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace lumetra::test {

namespace {

double rowFactor(double centre, double sigma, int at)
{
    const double d = at - centre;
    return std::exp(-0.5 * d * d / (sigma * sigma));
}

std::uint16_t beamCode(const FakeBeam &beam, double gx, double gy, double exposureUs, int top)
{
    const double v = top * (beam.darkFraction + beam.peakPerUs * exposureUs * (gx * gy));
    return std::uint16_t(std::clamp(std::lround(v), 0L, long(top)));
}

} // namespace

std::uint16_t fakeBeamCode(const FakeBeam &beam, int x, int y, double exposureUs, int top)
{
    return beamCode(beam, rowFactor(beam.cx, beam.sigmaX, x), rowFactor(beam.cy, beam.sigmaY, y), exposureUs, top);
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
    // A frame at one exposure is drawn once and copied after (the camera's thread only).
    struct Drawn
    {
        const FakeBeam *beam = nullptr;
        int w = 0, h = 0;
        bool sixteen = false;
        guint32 exposureUs = 0;
        std::vector<std::uint8_t> bytes;
    };
    thread_local Drawn drawn;
    if (drawn.beam != beam || drawn.w != w || drawn.h != h || drawn.sixteen != sixteen || drawn.exposureUs != exposureUs) {
        drawn = Drawn{beam, w, h, sixteen, exposureUs, {}};
        drawn.bytes.resize(std::size_t(w) * std::size_t(h) * (sixteen ? 2 : 1));
        // The Gaussian is separable: one factor a column and one a row.
        std::vector<double> gx(static_cast<std::size_t>(w)), gy(static_cast<std::size_t>(h));
        for (int x = 0; x < w; ++x)
            gx[std::size_t(x)] = rowFactor(beam->cx, beam->sigmaX, x);
        for (int y = 0; y < h; ++y)
            gy[std::size_t(y)] = rowFactor(beam->cy, beam->sigmaY, y);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint16_t v =
                    beamCode(*beam, gx[std::size_t(x)], gy[std::size_t(y)], exposureUs, sixteen ? 65535 : 255);
                const std::size_t i = std::size_t(y) * std::size_t(w) + std::size_t(x);
                if (sixteen) {
                    drawn.bytes[2 * i] = std::uint8_t(v & 0xFF);
                    drawn.bytes[2 * i + 1] = std::uint8_t(v >> 8);
                } else {
                    drawn.bytes[i] = std::uint8_t(v);
                }
            }
    }
    std::memcpy(bytes, drawn.bytes.data(), drawn.bytes.size());
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
