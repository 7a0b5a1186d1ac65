#pragma once

#include "types/BeamFrame.h"

#include <QRect>
#include <QString>

#include <functional>
#include <optional>

namespace lumetra::cli {

class ArgumentCursor;

// How a command opens and sets up a camera: --camera ID, --frames N, --average N and the
// camera's settings.
struct CameraRequest
{
    QString camera;
    int frames = 0;
    int average = 1;
    std::optional<double> exposureUs;
    std::optional<double> gain;
    QString pixelFormat;
    std::optional<QRect> roi;

    // Takes the cursor's current option when it is one of these; false otherwise.
    bool take(ArgumentCursor &cursor);
    // Throws unless a camera and a positive frame count were given.
    void check() const;
};

// Opens the camera, applies the settings (a refused one is the operator's error) and hands out
// `frames` frames, each the mean of `average` consecutive complete frames; `frameDepth` is the
// camera's bit depth. Errors are CliErrors.
void grabFrames(const CameraRequest &request, const std::function<void(int n, const beam::BeamFrame &frame, int frameDepth)> &use);

} // namespace lumetra::cli
