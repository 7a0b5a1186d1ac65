#pragma once

#include "analysis/beam/estimate/BeamWidths.h"
#include "beamview/BeamOverlay.h"

#include <QImage>
#include <QRect>

namespace lumetra {

// The picture of a measurement as its report shows it: the frame (less the dark frame) around
// the beam, grey from its dark level to its highest value.
struct BeamPicture
{
    QImage image;  // 8-bit grey, one pixel per frame pixel
    QRect area;    // where it lies in the frame
};

// The square of maskDiameters D4σ major diameters about the centroid (the whole frame without a
// beam), held to the frame.
BeamPicture beamPicture(const beam::BeamFrame &frame, const beam::BeamResult &result, double maskDiameters,
                        const beam::BeamFrame *dark);

// The picture enlarged to about `size` pixels on its longer side with the marks switched on in
// `shapes` drawn over it (centroid cross, D4σ ellipse and axes, integration rectangle, D86 circle,
// Gaussian ellipse) in the colours of the picture's overlay.
QImage markedBeamPicture(const BeamPicture &picture, const beam::BeamResult &result, const beam::BeamWidths *widths,
                         const OverlayShapes &shapes, double maskDiameters, int size = 1200);

} // namespace lumetra
