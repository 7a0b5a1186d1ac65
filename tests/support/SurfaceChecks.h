#pragma once

#include "surface/PictureSurface.h"

#include <gtest/gtest.h>

#include <QString>

namespace lumetra::testing {

// How many pixels of the surface show exactly this colour.
inline int countColour(const PictureSurface &surface, Colour colour)
{
    int n = 0;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            n += surface.point(x, y) == colour ? 1 : 0;
    return n;
}

// Whether `text` is printed embossed with its light copy at (x, y) (rounded half to even), as
// plot scales label their ticks: every pixel the text covers fully on a blank copy of the window
// (light or dark, not a blended edge, which depends on what lies below) must be the same on the
// window.
::testing::AssertionResult hasLabel(const PictureSurface &window, const QString &text, double x, double y);

} // namespace lumetra::testing
