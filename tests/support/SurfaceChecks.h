#pragma once

#include "surface/PictureSurface.h"

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

} // namespace lumetra::testing
