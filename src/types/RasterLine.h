#pragma once

#include <cstdlib>

namespace lumetra {

// Bresenham from (x0, y0) to (x1, y1), both ends included; fn(x, y, stepIndex).
template<typename Fn> void rasterLine(int x0, int y0, int x1, int y1, Fn &&fn)
{
    const int dx = std::abs(x1 - x0);
    const int sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0);
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (int step = 0;; ++step) {
        fn(x0, y0, step);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

} // namespace lumetra
