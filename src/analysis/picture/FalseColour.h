#pragma once

#include "types/BeamFrame.h"
#include "types/DeepFrame.h"
#include "types/Palette.h"

#include <QImage>
#include <QRect>

namespace lumetra::falsecolour {

// How codes map onto a palette: `low` on its first colour, `high` on its last. Codes at or above
// `top` (the camera's top code) are saturated; codes at or below `noise` are below the noise.
struct ColourScale
{
    double low = 0;
    double high = 255;
    double top = 255;
    double noise = -1; // none
};

// A picture in false colour (Format_RGB32, one pixel per sample) and what was found mapping it.
struct ColouredPicture
{
    QImage image;
    double peak = 0;            // the highest code in the picture
    long long saturated = 0;    // pixels at or above the top code
};

// The grey level of an 8-bit RGB pixel, 0.299 R + 0.587 G + 0.114 B in fixed point.
inline int greyLevel(QRgb p)
{
    return (77 * qRed(p) + 150 * qGreen(p) + 29 * qBlue(p) + 128) >> 8;
}

// The colour of one code: black below the noise and the signal colour at the top when `choice`
// switches them on, else the palette's colour for the code between low and high.
QRgb colourOf(double code, const ColourScale &scale, const FalseColourChoice &choice);

// A camera frame at its own depth.
ColouredPicture colourPicture(const DeepFrame &frame, const ColourScale &scale, const FalseColourChoice &choice);
// An 8-bit picture: its grey level (0.299 R + 0.587 G + 0.114 B) is the code. On the grey palette
// it keeps its own colours (a colour video stays in colour) but for the marked codes.
ColouredPicture colourPicture(const QImage &picture, const ColourScale &scale, const FalseColourChoice &choice);
// `area` of a full-resolution frame, less `dark` when it has the frame's size.
ColouredPicture colourPicture(const beam::BeamFrame &frame, const QRect &area, const beam::BeamFrame *dark,
                              const ColourScale &scale, const FalseColourChoice &choice);

// The dark level of a picture and its noise, from its four corners (each an eighth of its width
// and height): their mean and standard deviation.
struct DarkEstimate
{
    double level = 0;
    double noise = 0;
    double floor() const { return level + 3.0 * noise; } // the highest code noise reaches
};
DarkEstimate estimateDark(const DeepFrame &frame);
DarkEstimate estimateDark(const QImage &picture);

} // namespace lumetra::falsecolour
