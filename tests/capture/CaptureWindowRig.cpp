#include "CaptureWindowRig.h"

#include "capture/CaptureWindowOpener.h"
#include "devices/genicam/Aravis.h"
#include "devices/genicam/GenicamCamera.h"
#include "devices/genicam/GenicamCaptureDevice.h"
#include "support/FakeBeamCamera.h"

namespace lumetra::test {

CaptureWindow *CaptureWindowRig::open()
{
    CaptureWindow *form = openCaptureWindow(context);
    if (form)
        form->setModalRunner([this](QDialog &dialog) { return runner(dialog); });
    return form;
}

void CaptureWindowRig::useBeamCamera(const FakeBeam *beam, double exposureUs)
{
    service = std::make_unique<CaptureService>([beam, exposureUs] {
        return std::make_unique<GenicamCaptureDevice>(QStringLiteral("BEAM"), [beam, exposureUs](QString *error) {
            ArvDevice *device = arv_fake_device_new("BEAM", nullptr);
            drawFakeBeam(arv_fake_device_get_fake_camera(ARV_FAKE_DEVICE(device)), beam);
            auto camera = GenicamCamera::adopt(device, QStringLiteral("BEAM"), error);
            g_object_unref(device);
            if (camera) {
                camera->setPixelFormat(QStringLiteral("Mono16"));
                camera->setExposureUs(exposureUs);
            }
            return camera;
        });
    });
    services.capture = service.get();
}

} // namespace lumetra::test
