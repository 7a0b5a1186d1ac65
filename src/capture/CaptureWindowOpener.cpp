#include "capture/CaptureWindowOpener.h"

#include "capture/CaptureCardControl.h"
#include "capture/CardDispatch.h"
#include "capture/CaptureWindow.h"
#include "platform/ports/AppContext.h"

namespace lumetra {

CaptureWindow *openCaptureWindow(AppContext &context)
{
    auto *form = new CaptureWindow(context);
    keepInSight(form, form->card);
    showChildWindow(context, form);
    form->load();
    form->card->put(CardId::Standard, 1);
    // Without a device the message said so: no empty window stays behind it.
    if (!form->isConnected()) {
        childWindowFrame(form)->close();
        return nullptr;
    }
    // Sized to its video now: placed where it covers no picture (nor anything else) if it can.
    placeChildWindow(context, form);
    return form;
}

} // namespace lumetra
