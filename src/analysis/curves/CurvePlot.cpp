// The raw and analysed intensity curves of the current cut, drawn step by step on a plot surface.
#include "analysis/curves/CurvePlot.h"
#include "analysis/curves/PlotGeometry.h"
#include "surface/PictureSurface.h"
#include "types/WorkspaceRaster.h"

#include <algorithm>
#include <cmath>

namespace lumetra::plotting {

namespace {

struct CurveStyle
{
    bool enlarged = false;
    bool lineMode = false; // scaled to the profile's own range instead of the picture's
};

// False for a value that names no mode.
bool styleOf(PlotMode mode, CurveStyle &style)
{
    switch (mode) {
    case PlotMode::FaceNormal: style = {false, false}; return true;
    case PlotMode::LineNormal: style = {false, true}; return true;
    case PlotMode::FaceEnlarged: style = {true, false}; return true;
    case PlotMode::LineEnlarged: style = {true, true}; return true;
    }
    return false;
}

// Joins sample i to sample i + 1 for i = first..last. Intensity runs up from the bottom edge of a
// horizontal plot and right from the left edge of a vertical one; a value below lo sits on that
// baseline, and a flat range (hi = lo) puts the whole curve there.
template <typename Value, typename Position>
void plotSteps(PictureSurface &plot, bool vertical, bool enlarged, double lo, double hi, int first, int last,
               Value value, Position position, Colour colour)
{
    const int a = plotgeometry::amplitude(enlarged);
    const double baseline = vertical ? 0.0 : a;
    const bool flat = hi == lo;
    const auto intensity = [&](double v) {
        if (flat || v < lo)
            return baseline;
        const double level = std::floor(a * (v - lo) / (hi - lo));
        return vertical ? level : a - level;
    };
    for (int i = first; i <= last; ++i) {
        const double from = intensity(value(i));
        const double to = intensity(value(i + 1));
        const double p0 = position(i);
        const double p1 = position(i + 1);
        if (vertical)
            plot.line(from, p0, to, p1, colour);
        else
            plot.line(p0, from, p1, to, colour);
    }
}

// The cut's row or column as an index of the grey map, or -1 when it lies outside.
int cutIndex(const AnalysisState &state, bool vertical)
{
    const double c = std::nearbyint(state.cut.CutPosition);
    const int bound = vertical ? GreyMapGrid::Width - 1 : GreyMapGrid::Height - 1;
    return c >= 0 && c <= bound ? static_cast<int>(c) : -1;
}

int sampledColumns(const AnalysisState &state)
{
    const int w = static_cast<int>(state.picture.ImageWidth);
    return w < 0 ? 0 : (w > WorkspaceRasterWidth ? WorkspaceRasterWidth : w);
}

// The last sample a curve joins to its next one: a fitted picture ends before the raster does,
// and the raster beyond it is not data.
int lastJoined(const AnalysisState &state, bool vertical, int last)
{
    const int extent = vertical ? state.picture.PictureExtentY : state.picture.PictureExtentX;
    return extent < (vertical ? 480 : 640) ? std::min(last, extent - 2) : last;
}

// A cut beyond a fitted picture has no curve.
bool cutInPicture(const AnalysisState &state, bool vertical)
{
    const int across = vertical ? state.picture.PictureExtentX : state.picture.PictureExtentY;
    return across >= (vertical ? 640 : 480) || std::nearbyint(state.cut.CutPosition) < across;
}

} // namespace

void PlotRawCurve(const AnalysisState &state, PictureSurface &plot, PlotMode mode, bool vertical)
{
    CurveStyle style;
    const int cut = cutIndex(state, vertical);
    if (!styleOf(mode, style) || cut < 0 || !cutInPicture(state, vertical))
        return;
    const double lo = style.lineMode ? state.cut.ProfileMin : state.picture.GreyMin;
    const double hi = style.lineMode ? state.cut.ProfileMax : state.picture.GreyMax;
    const double step = plotgeometry::enlargedStep(vertical);
    if (vertical) {
        // Samples 1..480 of the column; enlarged, sample i sits at 1.25 (i - 1).
        plotSteps(
            plot, true, style.enlarged, lo, hi, 1, lastJoined(state, true, 479),
            [&](int i) { return double(state.picture.GreyMap(cut, i)); },
            [&](int i) { return style.enlarged ? step * (i - 1) : double(i); }, colours::RawCurve);
    } else {
        // Samples 0..640 of the row; sample 0 is column 0, which holds 0. Enlarged, sample i sits
        // at 1.5 i.
        plotSteps(
            plot, false, style.enlarged, lo, hi, 0, lastJoined(state, false, sampledColumns(state) - 1),
            [&](int i) { return double(state.picture.GreyMap(i, cut)); },
            [&](int i) { return style.enlarged ? step * i : double(i); }, colours::RawCurve);
    }
}

void PlotAnalysedCurve(const AnalysisState &state, PictureSurface &plot, PlotMode mode, bool vertical)
{
    CurveStyle style;
    if (!styleOf(mode, style) || !cutInPicture(state, vertical))
        return;
    const double lo = style.lineMode ? state.cut.ProfileMin : state.picture.GreyMin;
    const double hi = style.lineMode ? state.cut.ProfileMax : state.picture.GreyMax;
    const Colour colour = style.lineMode ? colours::AnalysedLine : colours::AnalysedFace;
    const double step = plotgeometry::enlargedStep(vertical);
    const auto position = [&](int i) { return style.enlarged ? step * (i - 1) : double(i); };
    if (vertical) {
        plotSteps(
            plot, true, style.enlarged, lo, hi, 1, lastJoined(state, true, 479),
            [&](int i) { return double(state.cut.ProfileV[static_cast<size_t>(i)]); }, position, colour);
    } else {
        // Normal size: samples 1..640, the plot's width; enlarged: 1..picture.ImageWidth.
        const int last =
            style.enlarged ? sampledColumns(state) - 1 : plotgeometry::plotSize(1, false).width - 1;
        plotSteps(
            plot, false, style.enlarged, lo, hi, 1, lastJoined(state, false, last),
            [&](int i) { return state.cut.ProfileH[static_cast<size_t>(i)]; }, position, colour);
    }
}

} // namespace lumetra::plotting
