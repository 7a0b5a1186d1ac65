#pragma once

#include "analysis/beam/BeamMeasurement.h"
#include "analysis/beam/estimate/BeamWidths.h"
#include "types/Colour.h"
#include "types/FramePlacement.h"
#include "surface/PictureSurface.h"

#include <QPoint>
#include <QPointer>

#include <vector>

namespace lumetra {


// Which marks of a measured beam go on the picture.
struct OverlayShapes
{
    bool centroid = true;  // a cross on the centroid
    bool ellipse = true;   // the D4σ ellipse with its major and minor axes
    bool rectangle = false; // the integration rectangle (maskDiameters diameters on a side)
    bool d86 = false;       // the circle about the centroid holding 86.5 % of the power (needs widths)
    bool gaussian = false;  // the fitted Gaussian's 1/e² ellipse (needs widths)
};

// The marks of a measured beam on a picture, drawn with the exclusive-or pen so that they land
// on the surface's overlay layer and never become data. The marks are rasterised here into one
// set of pixels, each drawn once (where two marks cross, the first one's colour wins), so that
// drawing the same set again removes them exactly.
class BeamOverlay
{
public:
    struct Pixel
    {
        QPoint at;
        Colour colour;
    };

    // The pixels of the marks for a result in frame pixels laid onto a picture of this size.
    // widths: the figures beyond D4σ, for the D86 circle and the Gaussian ellipse (null: neither).
    static std::vector<Pixel> rasterise(const beam::BeamResult &result, const FramePlacement &placement,
                                        const OverlayShapes &shapes, double maskDiameters, QSize pictureSize,
                                        const beam::BeamWidths *widths = nullptr);

    // Replaces what is shown on `surface` by the marks of `result` (nothing for no beam).
    void show(PictureSurface &surface, const beam::BeamResult &result, const FramePlacement &placement,
              const OverlayShapes &shapes, double maskDiameters, const beam::BeamWidths *widths = nullptr);
    // Removes the marks (no-op when none are shown or their surface is gone).
    void remove();
    bool shown() const { return !m_drawn.empty() && m_surface; }

private:
    void toggle();

    QPointer<PictureSurface> m_surface;
    std::vector<Pixel> m_drawn;
};

} // namespace lumetra
