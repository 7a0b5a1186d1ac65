#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace lumetra::window_placement {

// A window for "平铺": the size its content needs, the largest it can take, and whether it holds
// a picture or video (kept uncovered when possible).
struct TiledWindow
{
    QSize minimum;
    QSize maximum;
    bool holdsPicture = false;
};

// Where "平铺" puts the windows (in order) and in which order to raise them (indices, bottom
// first). The windows go in columns, each column as wide as its widest window needs and its
// windows one below the other; of every way to share the windows among columns the one is
// taken that hides the fewest title bars (their top `titleHeight` pixels) as a whole, then
// covers least of the pictures, then least of the title bars, then overlaps least, then gives
// the windows the most room. Where the
// minimums fit side by side no window covers another; where they do not, columns and windows
// overlap evenly, later columns over earlier ones. More windows than a search
// can try in an instant are laid on the grid of tile().
struct Tiling
{
    QList<QRect> rects;
    QList<int> raiseOrder;
};
Tiling tileWindows(const QRect &area, const QList<TiledWindow> &windows, int titleHeight);

} // namespace lumetra::window_placement
