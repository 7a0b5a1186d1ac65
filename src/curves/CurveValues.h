#pragma once

#include <QString>

namespace lumetra {

struct AnalysisState;

// The values a curve plot shows for a plot pixel, in the current size and scroll state.
namespace CurveValues {

// Position of plot pixel `pixel` along the position axis (x in the horizontal window, y in the
// vertical one): pixel + AxisStart, or floor(pixel / step + 0.5) + AxisStart when enlarged
// (step 1.5 horizontal, 1.25 vertical).
double positionAt(const AnalysisState &state, bool vertical, double pixel);
// As positionAt, but AxisEnd when pixel is not less than scaleLength (the plot's length along
// the position axis).
double clampedPositionAt(const AnalysisState &state, bool vertical, double pixel, int scaleLength);
// Intensity (%) of plot pixel `pixel` along the intensity axis (y horizontal, x vertical):
// floor(200 - y) / 2, floor(400 - y) / 4, floor(x) / 2 or floor(x) / 4; single precision.
float intensityAt(const AnalysisState &state, bool vertical, double pixel);

// Shortest decimal form: 6, -12, 37.5, 12.25 (never an exponent, never "-0").
QString shortestNumber(double value);
// A position readout: the position in pixels, and beside it the length on the object when a
// pixel measures umPerPixel > 0 micrometres ("-12 · -66.0 µm").
QString positionText(double position, double umPerPixel);
// "(first,second)" in shortest decimal form.
QString pointCaption(double first, double second);

} // namespace CurveValues
} // namespace lumetra
