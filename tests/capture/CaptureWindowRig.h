#pragma once

#include "FakeV4l2Device.h"
#include "RecordingCaptureDevice.h"

#include "analysis/AnalysisState.h"
#include "types/ProgressWindows.h"
#include "capture/CaptureWindow.h"
#include "capture/ModalRunner.h"
#include "platform/ports/AppContext.h"
#include "devices/CaptureService.h"
#include "platform/ports/MainWindowPort.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/ports/Services.h"
#include "devices/SimulatedCaptureDevice.h"
#include "devices/V4l2CaptureDevice.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <array>
#include <memory>

namespace lumetra::test {

struct FakeBeam;

// What the capture window changes on the main window.
class FakeMainWindow : public MainWindowPort
{
public:
    std::array<bool, 6> buttons{true, true, true, true, true, true};
    bool connectMenu = true;

    void setToolbarButtonEnabled(int index, bool enabled) override
    {
        buttons.at(std::size_t(index)) = enabled;
    }
    bool toolbarButtonEnabled(int index) const override { return buttons.at(std::size_t(index)); }
    void setConnectMenuEnabled(bool enabled) override { connectMenu = enabled; }
    bool connectMenuEnabled() const override { return connectMenu; }
};

// A main frame's document area, scripted dialogs and a capture service whose devices are either
// the simulated card or a V4L2 device over a fake driver, each recorded in `log`.
class CaptureWindowRig
{
public:
    CaptureWindowRig()
    {
        services.dialogs = &dialogs;
        mdi.resize(1200, 900);
        mdi.show();
    }
    ~CaptureWindowRig()
    {
        for (QMdiSubWindow *w : mdi.subWindowList())
            delete w;
    }

    void useSimulated()
    {
        service = std::make_unique<CaptureService>(
            [log = log] {
                return std::make_unique<RecordingCaptureDevice>(std::make_unique<SimulatedCaptureDevice>(),
                                                                log);
            },
            true);
        services.capture = service.get();
    }
    void useV4l2()
    {
        service = std::make_unique<CaptureService>([log = log, driver = driver] {
            return std::make_unique<RecordingCaptureDevice>(std::make_unique<V4l2CaptureDevice>(driver), log);
        });
        services.capture = service.get();
    }
    // The fake interface's camera in Mono16, drawing `beam` at `exposureUs`.
    void useBeamCamera(const FakeBeam *beam, double exposureUs);

    // The connect command's window, shown and loaded; the card's dialogs go through `runner`.
    CaptureWindow *open();

    AnalysisState state;
    ScriptedDialogs dialogs;
    Services services;
    SilentProgress progress;
    FakeMainWindow mainWindow;
    QMdiArea mdi;
    AppContext context{services, progress, &mdi, &mainWindow, {}, {}};
    std::shared_ptr<RecordingCaptureDevice::Log> log = std::make_shared<RecordingCaptureDevice::Log>();
    std::shared_ptr<FakeV4l2Device> driver = std::make_shared<FakeV4l2Device>();
    std::unique_ptr<CaptureService> service;
    ModalRunner runner = [](QDialog &) { return int(QDialog::Rejected); };
};

} // namespace lumetra::test
