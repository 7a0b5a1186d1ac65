#pragma once

#include <QImage>
#include <QString>

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
};

} // namespace lumetra
