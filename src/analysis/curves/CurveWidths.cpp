#include "analysis/curves/CurveWidths.h"

#include <algorithm>

namespace lumetra {

namespace {

struct Peak
{
    bool found = false;
    int index = 0;
    double top = 0;
    double baseline = 0;
};

Peak findPeak(std::span<const double> s)
{
    Peak p;
    if (s.empty())
        return p;
    const auto [lo, hi] = std::minmax_element(s.begin(), s.end());
    p.index = static_cast<int>(hi - s.begin());
    p.top = *hi;
    p.baseline = *lo;
    p.found = p.top > p.baseline;
    return p;
}

CurveWidth widthAt(std::span<const double> s, const Peak &p, double fraction)
{
    CurveWidth w;
    if (!p.found)
        return w;
    const double level = p.baseline + fraction * (p.top - p.baseline);
    w.level = level;
    const int n = static_cast<int>(s.size());
    for (int k = p.index; k > 0; --k)
        if (s[size_t(k - 1)] < level) {
            const double a = s[size_t(k - 1)], b = s[size_t(k)];
            w.left = (k - 1) + (level - a) / (b - a);
            break;
        }
    for (int k = p.index; k < n - 1; ++k)
        if (s[size_t(k + 1)] < level) {
            const double a = s[size_t(k)], b = s[size_t(k + 1)];
            w.right = k + (a - level) / (a - b);
            break;
        }
    return w;
}

} // namespace

CurveWidth measureCurveWidth(std::span<const double> samples, double fraction)
{
    return widthAt(samples, findPeak(samples), fraction);
}

CurveWidths measureCurveWidths(std::span<const double> samples)
{
    const Peak p = findPeak(samples);
    CurveWidths w;
    w.hasPeak = p.found;
    w.peakIndex = p.index;
    w.baseline = p.baseline;
    w.halfMaximum = widthAt(samples, p, HalfMaximumFraction);
    w.e2 = widthAt(samples, p, E2Fraction);
    return w;
}

} // namespace lumetra
