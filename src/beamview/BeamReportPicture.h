#pragma once

#include "analysis/beam/estimate/BeamWidths.h"
#include "beamview/BeamOverlay.h"
#include "types/Palette.h"

#include <QImage>
#include <QLineF>
#include <QRect>

#include <optional>
#include <vector>

namespace lumetra {

// The picture of a measurement as the beam window and its report show it: the frame's samples
// around the beam (its dark frame kept beside them), coloured from the dark level to the highest
// value less the dark frame.
struct BeamPicture
{
    beam::BeamFrame samples;                // the area of the frame, at its depth
    std::optional<beam::BeamFrame> dark;    // the dark frame's same area, when one was subtracted
    QRect area;                             // where it lies in the frame
    double darkLevel = 0;                   // the measurement's dark level
    double noise = 0;                       // and the noise about it
    bool isNull() const { return samples.values.empty(); }
};

// The square of maskDiameters D4σ major diameters about the centroid (the whole frame without a
// beam), held to the frame.
BeamPicture beamPicture(const beam::BeamFrame &frame, const beam::BeamResult &result, double maskDiameters,
                        const beam::BeamFrame *dark);

// The picture in `choice`'s false colour, one pixel a frame pixel, with its contours (picture
// coordinates: pixel (x, y) covers x..x+1) and the codes the palette spans.
struct ColouredBeamPicture
{
    QImage image;
    double low = 0, high = 255, fullScale = 255;
    std::vector<QLineF> clipContour, halfContour;
};
ColouredBeamPicture colourBeamPicture(const BeamPicture &picture, const FalseColourChoice &choice);

// The contours over a picture enlarged `scale` times: 50 % white, 13.5 % yellow, on a dark edge.
void drawContours(QPainter &painter, const ColouredBeamPicture &coloured, double scale);

// The picture enlarged to about `size` pixels on its longer side with the marks switched on in
// `shapes` drawn over it (centroid cross, D4σ ellipse and axes, integration rectangle, D86 circle,
// Gaussian ellipse) in the colours of the picture's overlay, in `choice`'s false colour.
QImage markedBeamPicture(const BeamPicture &picture, const beam::BeamResult &result, const beam::BeamWidths *widths,
                         const OverlayShapes &shapes, double maskDiameters, int size = 1200,
                         const FalseColourChoice &choice = {});
// The marks alone, drawn on `painter` over a picture enlarged `scale` times.
void drawBeamMarks(QPainter &painter, const BeamPicture &picture, const beam::BeamResult &result,
                   const beam::BeamWidths *widths, const OverlayShapes &shapes, double maskDiameters, double scale,
                   double pen);

} // namespace lumetra
