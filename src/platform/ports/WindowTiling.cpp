#include "platform/ports/WindowTiling.h"

#include "platform/ports/WindowPlacement.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>

namespace lumetra::window_placement {

namespace {

// More windows than this are laid on the plain grid: the ways to share n windows among
// columns grow faster than exponentially (4140 for eight).
constexpr int MostSearched = 8;
// The width of a title bar that must show for it to count as in sight.
constexpr int LeastTitleInSight = 120;

struct Span
{
    int start;
    int length;
};

// Lengths `minimums` laid one after another from `start` along `length`: the room left over is
// shared out evenly among those below their `maximums`; when there is too little room, each
// one overlaps the one before by an even share of the shortfall.
QList<Span> share(int start, int length, const QList<int> &minimums, const QList<int> &maximums)
{
    const int n = static_cast<int>(minimums.size());
    QList<int> sizes = minimums;
    int total = 0;
    for (int m : minimums)
        total += m;
    QList<Span> spans;
    if (total <= length) {
        int extra = length - total;
        while (extra > 0) {
            QList<int> growing;
            for (int i = 0; i < n; ++i)
                if (sizes[i] < maximums[i])
                    growing << i;
            if (growing.isEmpty())
                break;
            const int each = std::max(1, extra / static_cast<int>(growing.size()));
            for (int i : growing) {
                const int add = std::min({each, maximums[i] - sizes[i], extra});
                sizes[i] += add;
                extra -= add;
            }
        }
        int at = start;
        for (int i = 0; i < n; ++i) {
            spans << Span{at, sizes[i]};
            at += sizes[i];
        }
        return spans;
    }
    const int shortfall = total - length;
    int at = start;
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            at += sizes[i - 1] - (shortfall * i / (n - 1) - shortfall * (i - 1) / (n - 1));
        spans << Span{at, sizes[i]};
    }
    return spans;
}

long long common(const QRect &a, const QRect &b)
{
    const QRect c = a & b;
    return c.isEmpty() ? 0 : static_cast<long long>(c.width()) * c.height();
}

using Key = std::tuple<int, long long, long long, long long, long long, double>;

// How good a layout is, raised in `order` (bottom first): smaller is better.
Key judge(const QList<QRect> &rects, const QList<int> &order, const QList<TiledWindow> &windows, int titleHeight,
          int columns)
{
    int hiddenTitles = 0;
    long long pictures = 0, titles = 0, overlap = 0, room = 0;
    for (int i = 0; i < order.size(); ++i) {
        const QRect &below = rects[order[i]];
        room += static_cast<long long>(below.width()) * below.height();
        const QRect title(below.topLeft(), QSize(below.width(), std::min(titleHeight, below.height())));
        long long titleCovered = 0;
        for (int j = i + 1; j < order.size(); ++j) {
            const QRect &above = rects[order[j]];
            const long long both = common(below, above);
            overlap += both;
            if (windows[order[i]].holdsPicture)
                pictures += both;
            titleCovered += common(title, above);
        }
        // Hidden when too little of it shows to read or grab it (near enough: the windows above
        // may overlap each other there).
        if (titleCovered > static_cast<long long>(std::max(0, title.width() - LeastTitleInSight)) * title.height())
            ++hiddenTitles;
        titles += titleCovered;
    }
    const double squareness = std::abs(columns - std::sqrt(static_cast<double>(windows.size())));
    return {hiddenTitles, pictures, titles, overlap, -room, squareness};
}

// The windows in `columns` (indices, each column top to bottom), laid out in the area.
QList<QRect> layColumns(const QRect &area, const QList<QList<int>> &columns, const QList<TiledWindow> &windows)
{
    QList<int> widest, widestMaximum;
    for (const QList<int> &column : columns) {
        int minimum = 0, maximum = 0;
        for (int i : column) {
            minimum = std::max(minimum, windows[i].minimum.width());
            maximum = std::max(maximum, std::max(windows[i].maximum.width(), windows[i].minimum.width()));
        }
        widest << minimum;
        widestMaximum << maximum;
    }
    const QList<Span> xs = share(area.left(), area.width(), widest, widestMaximum);
    QList<QRect> rects(windows.size());
    for (int c = 0; c < columns.size(); ++c) {
        QList<int> minimums, maximums;
        for (int i : columns[c]) {
            minimums << windows[i].minimum.height();
            maximums << std::max(windows[i].maximum.height(), windows[i].minimum.height());
        }
        const QList<Span> ys = share(area.top(), area.height(), minimums, maximums);
        // A column that overlaps the one before holds its narrower windows at its right edge,
        // away from that column.
        const bool overlapping = c > 0 && xs[c].start < xs[c - 1].start + xs[c - 1].length;
        for (int k = 0; k < columns[c].size(); ++k) {
            const TiledWindow &w = windows[columns[c][k]];
            const int width = std::max(w.minimum.width(), std::min(xs[c].length, w.maximum.width()));
            const int x = overlapping ? xs[c].start + xs[c].length - width : xs[c].start;
            rects[columns[c][k]] = keepInside(area, QRect(x, ys[k].start, width, ys[k].length), w.minimum);
        }
    }
    return rects;
}

} // namespace

Tiling tileWindows(const QRect &area, const QList<TiledWindow> &windows, int titleHeight)
{
    const int n = static_cast<int>(windows.size());
    Tiling best;
    if (n == 0 || area.isEmpty())
        return best;
    if (n > MostSearched) {
        QList<QSize> minimums;
        for (const TiledWindow &w : windows)
            minimums << w.minimum;
        best.rects = tile(area, minimums);
        for (int i = 0; i < n; ++i)
            best.raiseOrder << i;
        return best;
    }
    Key bestKey;
    // Every way to share the windows among columns, each column keeping the windows' order.
    QList<int> columnOf(n, 0);
    std::function<void(int, int)> visit = [&](int i, int columnCount) {
        if (i < n) {
            for (int c = 0; c <= columnCount; ++c) {
                columnOf[i] = c;
                visit(i + 1, std::max(columnCount, c + 1));
            }
            return;
        }
        QList<QList<int>> columns(columnCount);
        for (int k = 0; k < n; ++k)
            columns[columnOf[k]] << k;
        const QList<QRect> rects = layColumns(area, columns, windows);
        // Later columns above earlier ones, or the pictures above everything.
        QList<int> placed;
        for (const QList<int> &column : std::as_const(columns))
            placed << column;
        QList<int> picturesOnTop = placed;
        std::stable_partition(picturesOnTop.begin(), picturesOnTop.end(),
                              [&](int k) { return !windows[k].holdsPicture; });
        for (const QList<int> &order : {placed, picturesOnTop}) {
            const Key key = judge(rects, order, windows, titleHeight, columnCount);
            if (best.rects.isEmpty() || key < bestKey) {
                bestKey = key;
                best = Tiling{rects, order};
            }
        }
    };
    visit(0, 0);
    return best;
}

} // namespace lumetra::window_placement
