#pragma once

#include "analysis/beam/BeamMeasurement.h"

#include <QByteArray>
#include <QDateTime>

#include <optional>

namespace lumetra::monitoring {

// One line of a monitoring log: when the frame was taken, the camera's frame number, the
// measurement and what the camera reported with it.
struct MonitorLogRow
{
    QDateTime when;        // written as ISO 8601 UTC with milliseconds
    long long frame = 0;
    double elapsedS = 0;
    beam::BeamResult result;
    std::optional<double> exposureUs; // empty: the camera has none
    std::optional<double> gain;
    long long dropped = 0; // frames not measured so far
};

// The CSV header (comma-separated, one line with its newline); with a calibration (µm per pixel
// above 0) the lengths follow again in µm.
QByteArray monitorLogHeader(bool calibrated);
QByteArray monitorLogLine(const MonitorLogRow &row, double umPerPixel);
// The number of fields of every line.
int monitorLogFieldCount(bool calibrated);

} // namespace lumetra::monitoring
