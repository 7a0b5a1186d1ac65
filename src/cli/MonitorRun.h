#pragma once

#include "analysis/beam/BeamMeasurement.h"
#include "analysis/monitoring/MonitorRecorder.h"
#include "devices/CaptureDevice.h"
#include "platform/logging/LogWriter.h"

#include <QDateTime>

#include <atomic>
#include <optional>

namespace lumetra::cli {

// How long a monitoring run lasts and what it measures with.
struct MonitorPlan
{
    std::optional<double> durationS; // wall clock
    std::optional<long long> frames; // camera frames
    beam::BeamOptions options;
    double umPerPixel = 0;
};

struct MonitorOutcome
{
    long long frames = 0;  // camera frames seen
    long long dropped = 0; // frames replaced before they were measured
    QString deviceError;   // the camera failed while streaming
};

// Runs a recording: frames from `device`, chosen by the recorder's pace, measured, recorded and
// handed to the log. A simulated camera asked for a number of frames renders them as fast as
// they are measured, on its own clock of 25 frames a second; otherwise the camera streams in
// real time and a frame that arrives while another is measured replaces the one waiting.
// Ends early when `interrupted` is set or the log fails.
MonitorOutcome runMonitor(CaptureDevice &device, const MonitorPlan &plan, monitoring::MonitorRecorder &recorder,
                          LogWriter &log, const QDateTime &start, const std::atomic<bool> &interrupted);

} // namespace lumetra::cli
