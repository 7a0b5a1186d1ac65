#include "CaptureWindowRig.h"

#include "capture/CaptureWindowOpener.h"

namespace lumetra::test {

Frm_Connect *CaptureWindowRig::open()
{
    Frm_Connect *form = openCaptureWindow(context);
    form->setModalRunner([this](QDialog &dialog) { return runner(dialog); });
    return form;
}

} // namespace lumetra::test
