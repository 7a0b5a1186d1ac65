#include "platform/capture/CaptureService.h"

#include "platform/capture/LibV4l2Io.h"
#include "platform/capture/SimulatedCaptureDevice.h"
#include "platform/capture/V4l2CaptureDevice.h"
#include "platform/capture/CaptureDevices.h"
#include "platform/capture/genicam/GenicamCaptureDevice.h"

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
