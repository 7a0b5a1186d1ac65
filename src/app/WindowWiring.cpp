#include "app/WindowWiring.h"

#include "beamview/BeamViewOpeners.h"
#include "capture/CaptureWindowOpener.h"
#include "curves/frmguang.h"
#include "curves/frmguangshu.h"
#include "platform/AppContext.h"
#include "reports/print_hline.h"
#include "reports/print_line.h"
#include "reports/print_pic.h"
#include "workspace/WorkspaceOpener.h"

namespace lumetra {

void wireWindows(AppContext &context)
{
    installWorkspaceOpener(context);
    installBeamViewOpeners(context);
    context.openCaptureWindow = [&context](bool) { openCaptureWindow(context); };
    context.openCurveWindow = [&context](bool vertical) {
        if (vertical)
            frmguangshu::showWindow(context);
        else
            frmguang::showWindow(context);
    };
    context.openCurveReport = [&context](bool vertical, bool, std::optional<DisplayMode> mode) {
        if (vertical)
            print_hline::showWindow(context, mode);
        else
            print_line::showWindow(context, mode);
    };
    context.openPictureReport = [&context] { print_pic::showWindow(context); };
}

} // namespace lumetra
