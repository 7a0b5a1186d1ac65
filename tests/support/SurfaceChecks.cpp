#include "support/SurfaceChecks.h"

#include "analysis/curves/CurvePlot.h"

#include <cmath>

namespace lumetra::testing {

::testing::AssertionResult hasLabel(const PictureSurface &window, const QString &text, double x, double y)
{
    PictureSurface blank(window.width(), window.height());
    blank.setBackColour(window.backColour());
    blank.setFont(window.font());
    const double px = std::nearbyint(x), py = std::nearbyint(y);
    blank.setForeColour(colours::EngraveLight);
    blank.setCurrentX(px);
    blank.setCurrentY(py);
    blank.print(text);
    blank.setForeColour(colours::EngraveDark);
    blank.setCurrentX(px - 1);
    blank.setCurrentY(py - 1);
    blank.print(text);
    int inked = 0;
    for (int yy = 0; yy < blank.height(); ++yy) {
        for (int xx = 0; xx < blank.width(); ++xx) {
            const Colour c = blank.point(xx, yy);
            if (c != colours::EngraveLight && c != colours::EngraveDark)
                continue;
            ++inked;
            if (window.point(xx, yy) != blank.point(xx, yy))
                return ::testing::AssertionFailure()
                       << "label '" << text.toStdString() << "' differs at " << xx << "," << yy;
        }
    }
    if (inked == 0)
        return ::testing::AssertionFailure() << "label '" << text.toStdString() << "' sets no pixel";
    return ::testing::AssertionSuccess();
}

} // namespace lumetra::testing
