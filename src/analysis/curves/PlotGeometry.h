#pragma once

namespace lumetra::plotgeometry {

// Drawing area of a curve plot in pixels, by cut orientation (1 horizontal, 2 vertical) and size.
struct PlotSize
{
    int width = 0;
    int height = 0;
};

constexpr PlotSize plotSize(int orientation, bool enlarged)
{
    if (orientation == 1)
        return enlarged ? PlotSize{960, 400} : PlotSize{640, 200};
    if (orientation == 2)
        return enlarged ? PlotSize{400, 600} : PlotSize{200, 480};
    return {};
}

// Plot pixels that make 100 % intensity.
constexpr int amplitude(bool enlarged)
{
    return enlarged ? 400 : 200;
}

// Plot pixels per picture pixel along the position axis when enlarged.
constexpr double enlargedStep(bool vertical)
{
    return vertical ? 1.25 : 1.5;
}

} // namespace lumetra::plotgeometry
