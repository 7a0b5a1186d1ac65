#include "capture/VideoColouring.h"

#include "analysis/picture/Contours.h"

namespace lumetra {

namespace {
// The contours are traced on the frame averaged down to about this many samples a side.
constexpr int ContourGridSide = 320;
// No contours on a frame whose peak stands less than this many noise deviations above its dark level.
constexpr double BeamAboveNoise = 8.0;
} // namespace

VideoPicture colourVideo(const QImage &display, const DeepFrame *deep, const FalseColourChoice &choice)
{
    VideoPicture out;
    const bool useDeep = deep && !deep->isEmpty();
    if (!useDeep && display.isNull())
        return out;
    const double top = useDeep ? deep->topValue() : 255.0;
    out.scale = {0.0, top, top, -1.0};
    falsecolour::DarkEstimate dark;
    if (choice.noiseBlack || choice.contours) {
        dark = useDeep ? falsecolour::estimateDark(*deep) : falsecolour::estimateDark(display);
        out.scale.noise = dark.floor();
        out.darkLevel = dark.level;
    }
    falsecolour::ColouredPicture coloured = useDeep ? falsecolour::colourPicture(*deep, out.scale, choice)
                                                    : falsecolour::colourPicture(display, out.scale, choice);
    out.image = std::move(coloured.image);
    out.peak = coloured.peak;
    if (choice.contours && out.peak - dark.level > BeamAboveNoise * std::max(dark.noise, 0.5)) {
        const contours::ValueGrid grid =
            useDeep ? contours::valueGrid(*deep, ContourGridSide) : contours::valueGrid(display, ContourGridSide);
        out.clipContour = contours::contourLines(grid, contours::levelAt(contours::ClipLevel, dark.level, out.peak));
        out.halfContour = contours::contourLines(grid, contours::levelAt(contours::HalfLevel, dark.level, out.peak));
    }
    return out;
}

} // namespace lumetra
