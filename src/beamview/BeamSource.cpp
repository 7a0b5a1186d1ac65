#include "beamview/BeamSource.h"

#include "platform/ports/AppContext.h"
#include "platform/ports/CaptureFramePort.h"
#include "platform/framefiles/FrameFile.h"
#include "platform/ports/WorkspacePort.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace lumetra {

BeamSource currentBeamSource(const AppContext &context)
{
    BeamSource source;
    if (context.workspace && !context.workspace->picturePath().isEmpty()) {
        const QString path = context.workspace->picturePath();
        const FrameReadResult read = readFrameFile(path);
        source.name = QFileInfo(path).fileName();
        if (!read.ok()) {
            source.error = read.error;
            return source;
        }
        source.kind = BeamSource::Kind::WorkspaceFile;
        source.frame = read.frame;
        source.placement = context.workspace->framePlacement();
        return source;
    }
    if (context.captureFrames) {
        const QImage image = context.captureFrames->currentFrame();
        if (!image.isNull()) {
            source.kind = BeamSource::Kind::CaptureFrame;
            source.frame = frameFromImage(image);
            source.name = QCoreApplication::translate("BeamSource", "采集帧");
            source.camera = context.captureFrames->cameraSettings();
            return source;
        }
    }
    source.error = QCoreApplication::translate("BeamSource", "没有可测量的图像：请先打开图像或连接采集卡");
    return source;
}

} // namespace lumetra
