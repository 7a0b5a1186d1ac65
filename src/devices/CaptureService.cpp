#include "devices/CaptureService.h"

#include "devices/LibV4l2Io.h"
#include "devices/SimulatedCaptureDevice.h"
#include "devices/V4l2CaptureDevice.h"
#include "devices/CaptureDevices.h"
#include "devices/genicam/GenicamCaptureDevice.h"

namespace lumetra {

CaptureService::CaptureService(Factory factory, bool simulated)
    : m_factory(std::move(factory)), m_simulated(simulated)
{
}

std::unique_ptr<CaptureService> CaptureService::v4l2()
{
    auto io = std::make_shared<LibV4l2Io>();
    return std::make_unique<CaptureService>([io] { return std::make_unique<V4l2CaptureDevice>(io); });
}

std::unique_ptr<CaptureService> CaptureService::simulated()
{
    return std::make_unique<CaptureService>([] { return std::make_unique<SimulatedCaptureDevice>(); }, true);
}

std::unique_ptr<CaptureService> CaptureService::forId(const QString &id)
{
    if (id == SimulatedDeviceId)
        return simulated();
    if (id == VideoCardDeviceId)
        return v4l2();
    return std::make_unique<CaptureService>([id] { return std::make_unique<GenicamCaptureDevice>(id); });
}

std::unique_ptr<CaptureDevice> CaptureService::createDevice() const
{
    return m_factory ? m_factory() : nullptr;
}

} // namespace lumetra
