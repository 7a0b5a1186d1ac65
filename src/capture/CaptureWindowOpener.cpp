#include "capture/CaptureWindowOpener.h"

#include "capture/CaptureCardControl.h"
#include "capture/CardDispatch.h"
#include "capture/Frm_Connect.h"
#include "platform/AppContext.h"

namespace lumetra {

Frm_Connect *openCaptureWindow(AppContext &context)
{
    auto *form = new Frm_Connect(context);
    showChildWindow(context, form);
    form->Form_Load();
    form->SDK2000->put(CardId::Standard, 1);
    return form;
}

} // namespace lumetra
