#include "beamview/BeamViewOpeners.h"

#include "beamview/BeamWindow.h"
#include "beamview/CalibrationDialog.h"
#include "platform/ports/AppContext.h"

namespace lumetra {

void installBeamViewOpeners(AppContext &context)
{
    context.openBeamWindow = [&context] { BeamWindow::showWindow(context); };
    context.openCalibrationDialog = [&context] { CalibrationDialog::showDialog(context); };
    context.workspacePictureChanged = [&context] {
        if (BeamWindow *window = BeamWindow::instance(context))
            window->pictureChanged();
    };
}

} // namespace lumetra
