#pragma once

#include "types/BeamFrame.h"

#include <QImage>
#include <QString>

#include <functional>

namespace lumetra {

// The picture the open capture window shows now, for windows of other subsystems (the beam
// window takes a dark frame from it). The capture window publishes itself in the AppContext
// while it is open.
class CaptureFramePort
{
public:
    virtual ~CaptureFramePort() = default;
    // The frame on show; a null image before the first frame has arrived.
    virtual QImage currentFrame() const = 0;
    // The camera and its settings in one line, for reports of its frames (empty: unknown).
    virtual QString cameraSettings() const { return {}; }
    // A new calibration was saved: the lengths in µm follow it at once.
    virtual void calibrationChanged() {}

    // Work on every frame the capture window takes: the camera's own samples when it has them
    // (the means of "平均 N 帧" when set), the picture on show otherwise. It runs on the live
    // measurement's worker thread, one frame at a time, the newest frame winning (frames that
    // arrive while it works are dropped, never queued); `frame` counts the frames handed over.
    using FrameJob = std::function<void(const beam::BeamFrame &frame, long long frameNumber)>;
    // An empty job stops it; returns once no earlier job runs any more. False: no frames here.
    virtual bool setFrameJob(FrameJob) { return false; }
};

} // namespace lumetra
