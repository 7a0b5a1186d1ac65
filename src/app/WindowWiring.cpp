#include "app/WindowWiring.h"

#include "beamview/BeamViewOpeners.h"
#include "capture/CaptureWindowOpener.h"
#include "curves/CurveWindow.h"
#include "platform/ports/AppContext.h"
#include "reports/CurveReport.h"
#include "reports/PictureReport.h"
#include "workspace/WorkspaceOpener.h"

namespace lumetra {

void wireWindows(AppContext &context, AnalysisState &state)
{
    installWorkspaceOpener(context, state);
    installBeamViewOpeners(context);
    context.openCaptureWindow = [&context](bool) { openCaptureWindow(context); };
    context.openCurveWindow = [&context, &state](bool vertical) { CurveWindow::showWindow(context, state, vertical); };
    context.openCurveReport = [&context, &state](bool vertical, bool analysed, std::optional<DisplayMode> mode) {
        CurveReport::showWindow(context, state,
                                vertical ? CurveReport::Orientation::Vertical : CurveReport::Orientation::Horizontal,
                                analysed, mode);
    };
    context.openPictureReport = [&context, &state] { PictureReport::showWindow(context, state.picture.ImagePath); };
}

} // namespace lumetra
