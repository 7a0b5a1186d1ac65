#include "CaptureWindowRig.h"

#include "capture/CaptureWindowOpener.h"

namespace lumetra::test {

CaptureWindow *CaptureWindowRig::open()
{
    CaptureWindow *form = openCaptureWindow(context);
    if (form)
        form->setModalRunner([this](QDialog &dialog) { return runner(dialog); });
    return form;
}

} // namespace lumetra::test
