#pragma once

#include <vector>

namespace lumetra {
class PictureSurface;
}

namespace lumetra::test {

// The grey formula in its plainest form: 0.587 g + 0.299 r + 0.114 b summed in double precision in
// that order, rounded to the nearest integer with ties to even.
int referenceGrey(int red, int green, int blue);

// The sampling of a workspace picture done the slow, obvious way, one pixel read at a time: the
// colours of x = 1..width, y = 1..height (a read outside the surface is -1: red -1, green 0,
// blue 0), the grey values of x = 1..min(width, 640), y = 1..min(height, 480), and the grey range
// over x = 1..640, y = 1..480 seeded with 15 whose minimum skips 0.
struct ReferenceSampling
{
    int width = 0;
    int height = 0;
    std::vector<int> red, green, blue; // (y - 1) * width + (x - 1)
    std::vector<int> grey;             // y * 641 + x, x 0..640, y 0..480; the rest 0
    int greyMax = 15;
    int greyMin = 15;

    int colourAt(const std::vector<int> &channel, int x, int y) const
    {
        return channel[static_cast<std::size_t>(y - 1) * width + (x - 1)];
    }
    int greyAt(int x, int y) const { return grey[static_cast<std::size_t>(y) * 641 + x]; }
};

ReferenceSampling referenceSampling(const PictureSurface &picture, int width, int height);

} // namespace lumetra::test
