#include "platform/ports/WindowPlacement.h"

#include <QPoint>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace lumetra::window_placement {

namespace {

// `size` cut to `limit`, but never below `minimum`.
QSize bounded(const QSize &size, const QSize &minimum, const QSize &limit)
{
    return QSize(std::max(minimum.width(), std::min(size.width(), limit.width())),
                 std::max(minimum.height(), std::min(size.height(), limit.height())));
}

long long covered(const QRect &rect, const QList<QRect> &rects)
{
    long long sum = 0;
    for (const QRect &r : rects) {
        const QRect common = rect & r;
        if (!common.isEmpty())
            sum += static_cast<long long>(common.width()) * common.height();
    }
    return sum;
}

// The rectangle at `at` of at most `size`, cut at the area's right and bottom edges and before
// the first of `blockers` it would reach, as long as it stays at least `minimum`.
QRect shrunkAt(const QRect &area, const QPoint &at, const QSize &size, const QSize &minimum,
               const QList<QRect> &blockers)
{
    QRect rect(at, QSize(std::min(size.width(), area.right() - at.x() + 1),
                         std::min(size.height(), area.bottom() - at.y() + 1)));
    for (int round = 0; round < blockers.size() + 1; ++round) {
        auto hit = std::find_if(blockers.begin(), blockers.end(), [&](const QRect &b) { return rect.intersects(b); });
        if (hit == blockers.end())
            break;
        // Stop before the blocker along whichever side keeps more of the window.
        const int narrower = hit->left() > at.x() ? hit->left() - at.x() : 0;
        const int lower = hit->top() > at.y() ? hit->top() - at.y() : 0;
        const long long byWidth = narrower >= minimum.width() ? static_cast<long long>(narrower) * rect.height() : 0;
        const long long byHeight = lower >= minimum.height() ? static_cast<long long>(lower) * rect.width() : 0;
        if (byWidth == 0 && byHeight == 0)
            break;
        if (byWidth >= byHeight)
            rect.setWidth(narrower);
        else
            rect.setHeight(lower);
    }
    return rect;
}

} // namespace

QRect keepInside(const QRect &area, const QRect &window, const QSize &minimum)
{
    const QSize size = bounded(window.size(), minimum, area.size());
    const int x = std::max(area.left(), std::min(window.x(), area.right() + 1 - size.width()));
    const int y = std::max(area.top(), std::min(window.y(), area.bottom() + 1 - size.height()));
    return QRect(QPoint(x, y), size);
}

QRect placeNewWindow(const Scene &scene, const QSize &size, const QSize &minimum)
{
    const QRect &area = scene.area;
    const QSize wanted = bounded(size, minimum, area.size());

    // The windows that hold a picture or a video come first: free space is looked for beside
    // them, then below them.
    QList<QRect> windows = scene.others;
    std::stable_partition(windows.begin(), windows.end(), [&](const QRect &w) {
        return std::any_of(scene.keepInSight.begin(), scene.keepInSight.end(),
                           [&](const QRect &k) { return w.intersects(k); });
    });
    QList<QRect> occupied = windows + scene.keepInSight;

    QList<QPoint> anchors;
    for (const QRect &r : occupied)
        anchors << QPoint(r.right() + 1, r.top()) << QPoint(r.left(), r.bottom() + 1);
    for (const QRect &r : occupied)
        anchors << QPoint(r.right() + 1, area.top()) << QPoint(area.left(), r.bottom() + 1);
    anchors << area.topLeft();

    QList<QRect> candidates;
    for (const QPoint &at : std::as_const(anchors)) {
        if (!area.contains(at))
            continue;
        candidates << QRect(at, wanted) << shrunkAt(area, at, wanted, minimum, {})
                   << shrunkAt(area, at, wanted, minimum, occupied)
                   << shrunkAt(area, at, wanted, minimum, scene.keepInSight);
    }
    for (const QPoint &at : std::as_const(anchors))
        candidates << keepInside(area, QRect(at, wanted), minimum);
    // With every place taken, the area's corners cover least of a picture in its middle.
    for (const QSize &s : {wanted, minimum}) {
        const int right = area.right() + 1 - s.width();
        const int bottom = area.bottom() + 1 - s.height();
        for (const QPoint &corner : {area.topLeft(), QPoint(right, area.top()), QPoint(area.left(), bottom),
                                     QPoint(right, bottom)})
            candidates << keepInside(area, QRect(corner, s), minimum);
    }

    // Free and whole first, then free and smaller, then covering other windows but no picture,
    // then covering as little picture as possible; earlier anchors win ties.
    QRect best;
    std::tuple<long long, long long, long long> bestKey;
    for (const QRect &c : std::as_const(candidates)) {
        if (c.width() < minimum.width() || c.height() < minimum.height())
            continue;
        if (!area.contains(c) && c != keepInside(area, c, minimum))
            continue;
        const auto key = std::make_tuple(covered(c, scene.keepInSight), covered(c, windows),
                                         -static_cast<long long>(c.width()) * c.height());
        if (best.isNull() || key < bestKey) {
            best = c;
            bestKey = key;
        }
    }
    return best.isNull() ? keepInside(area, QRect(area.topLeft(), wanted), minimum) : best;
}

QList<QRect> tile(const QRect &area, const QList<QSize> &minimums)
{
    const int n = static_cast<int>(minimums.size());
    if (n == 0 || area.isEmpty())
        return {};
    // Cells of the grid with `columns` columns, all of one size.
    auto cells = [&](int columns) {
        const int rows = (n + columns - 1) / columns;
        QList<QRect> out;
        for (int i = 0; i < n; ++i) {
            const int row = i / columns;
            const int column = i % columns;
            const int x0 = area.left() + area.width() * column / columns;
            const int x1 = area.left() + area.width() * (column + 1) / columns;
            const int y0 = area.top() + area.height() * row / rows;
            const int y1 = area.top() + area.height() * (row + 1) / rows;
            out << QRect(QPoint(x0, y0), QSize(x1 - x0, y1 - y0));
        }
        return out;
    };
    // Each window in its cell, grown to its minimum where the cell is smaller and kept inside
    // the area.
    auto placed = [&](int columns) {
        QList<QRect> out = cells(columns);
        for (int i = 0; i < n; ++i)
            out[i] = keepInside(area, QRect(out[i].topLeft(), out[i].size().expandedTo(minimums[i])), minimums[i]);
        return out;
    };
    // The columns that leave the windows overlapping least (none when every window fits its
    // cell), the squarest grid of those.
    const double square = std::sqrt(static_cast<double>(n));
    QList<QRect> best;
    std::pair<long long, double> bestKey{-1, 0};
    for (int columns = 1; columns <= n; ++columns) {
        const QList<QRect> rects = placed(columns);
        long long overlap = 0;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                overlap += covered(rects[i], {rects[j]});
        const std::pair<long long, double> key{overlap, std::abs(columns - square)};
        if (bestKey.first < 0 || key < bestKey) {
            bestKey = key;
            best = rects;
        }
    }
    return best;
}

QList<QRect> cascade(const QRect &area, const QList<QSize> &sizes, const QList<QSize> &minimums, int step)
{
    QList<QRect> out;
    int k = 0;
    for (int i = 0; i < sizes.size(); ++i) {
        const QSize minimum = i < minimums.size() ? minimums[i] : QSize();
        QSize room = area.size() - QSize(k * step, k * step);
        if (k > 0 && (room.width() < minimum.width() || room.height() < minimum.height() ||
                      room.width() < step * 4 || room.height() < step * 4)) {
            k = 0;
            room = area.size();
        }
        const QRect at(area.topLeft() + QPoint(k * step, k * step), bounded(sizes[i], minimum, room));
        out << keepInside(area, at, minimum);
        ++k;
    }
    return out;
}

} // namespace lumetra::window_placement
