#pragma once

#include "types/BeamFrame.h"
#include "types/FramePlacement.h"

#include <QString>

namespace lumetra {

struct AppContext;

// The frame the beam window measures: the workspace's file read again at full resolution and
// sample depth when the workspace is open, else the picture the capture window shows.
struct BeamSource
{
    enum class Kind { None, WorkspaceFile, CaptureFrame };
    Kind kind = Kind::None;
    beam::BeamFrame frame;
    QString name;       // the file name, or "采集帧"
    QString error;      // why there is no frame (Kind::None)
    QString camera;     // the camera and its settings (CaptureFrame; empty when unknown)
    FramePlacement placement; // where the frame lies on the workspace picture
};

BeamSource currentBeamSource(const AppContext &context);

} // namespace lumetra
