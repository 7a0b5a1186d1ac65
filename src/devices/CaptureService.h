#pragma once

#include "devices/CaptureDevice.h"

#include <functional>
#include <memory>

namespace lumetra {

// Makes the capture device behind each capture window: the V4L2 devices of the machine, or the
// simulated card when the program runs with --simulated-camera. Tests hand in their own maker.
class CaptureService
{
public:
    using Factory = std::function<std::unique_ptr<CaptureDevice>()>;

    explicit CaptureService(Factory factory, bool simulated = false);

    static std::unique_ptr<CaptureService> v4l2();
    static std::unique_ptr<CaptureService> simulated();
    // The device `id` (see openCaptureDevice): a GenICam camera, "simulated" or "v4l2".
    static std::unique_ptr<CaptureService> forId(const QString &id);

    // A new, not yet connected device.
    std::unique_ptr<CaptureDevice> createDevice() const;
    bool isSimulated() const { return m_simulated; }

private:
    Factory m_factory;
    bool m_simulated;
};

} // namespace lumetra
