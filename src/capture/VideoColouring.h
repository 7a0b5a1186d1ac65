#pragma once

#include "analysis/picture/FalseColour.h"
#include "types/DeepFrame.h"
#include "types/Palette.h"

#include <QImage>
#include <QLineF>

#include <vector>

namespace lumetra {

// One video frame as the capture window shows it: in the chosen false colour, mapped from the
// camera's own samples when it has them (so that "saturated" is the camera's top code), with the
// contour lines at 13.5 % and 50 % of the peak above the dark level when they are on.
struct VideoPicture
{
    QImage image;
    falsecolour::ColourScale scale; // the codes the palette spans
    double peak = 0;
    double darkLevel = 0;
    std::vector<QLineF> clipContour; // 13.5 %
    std::vector<QLineF> halfContour; // 50 %
};

// `display` is the device's picture; `deep` its samples at the camera's depth, or null.
VideoPicture colourVideo(const QImage &display, const DeepFrame *deep, const FalseColourChoice &choice);

} // namespace lumetra
