#include "capture/CaptureWindowOpener.h"

#include "capture/CaptureCardControl.h"
#include "capture/CardDispatch.h"
#include "capture/CaptureWindow.h"
#include "platform/ports/AppContext.h"

namespace lumetra {

CaptureWindow *openCaptureWindow(AppContext &context)
{
    auto *form = new CaptureWindow(context);
    showChildWindow(context, form);
    form->load();
    form->card->put(CardId::Standard, 1);
    return form;
}

} // namespace lumetra
