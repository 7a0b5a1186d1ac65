#pragma once

#include "types/DisplayMode.h"

namespace lumetra {

// The variant a curve-plotting routine draws: display mode and plot size. The numbers are the
// routines' historical mode numbers.
enum class PlotMode { FaceNormal = 0, LineNormal = 1, FaceEnlarged = 5, LineEnlarged = 6 };

constexpr PlotMode plotMode(DisplayMode mode, bool enlarged)
{
    if (mode == DisplayMode::Line)
        return enlarged ? PlotMode::LineEnlarged : PlotMode::LineNormal;
    return enlarged ? PlotMode::FaceEnlarged : PlotMode::FaceNormal;
}

// DrawCrosshair: draw the cross at the old place, or move it from the old place to the new one.
enum class CrosshairMode { Draw = 1, Move = 2 };

// Which scales DrawPlotFrame draws around a plot, and whether it draws anything but the
// background (master). Written as five '0'/'1' characters: left, bottom, right, top, master.
struct ScaleSides
{
    bool left = false;
    bool bottom = false;
    bool right = false;
    bool top = false;
    bool master = false;

    constexpr ScaleSides() = default;
    // From the five-character form, e.g. "11001"; any character but '1' is off.
    constexpr ScaleSides(const char (&flags)[6]) // NOLINT: implicit, the written form is the name
        : left(flags[0] == '1'), bottom(flags[1] == '1'), right(flags[2] == '1'), top(flags[3] == '1'),
          master(flags[4] == '1')
    {
    }
};

namespace scalesides {
// A curve plot: left and bottom scales.
inline constexpr ScaleSides CurvePlot{"11001"};
// The workspace rulers, drawn in two passes: left and top, then bottom and right.
inline constexpr ScaleSides RulersLeftTop{"10011"};
inline constexpr ScaleSides RulersBottomRight{"01101"};
} // namespace scalesides

} // namespace lumetra
