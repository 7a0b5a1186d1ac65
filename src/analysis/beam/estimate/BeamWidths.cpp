#include "analysis/beam/estimate/BeamWidths.h"

#include "analysis/beam/estimate/IntegrationArea.h"
#include "analysis/beam/estimate/PowerDistribution.h"

#include <cmath>
#include <vector>

namespace lumetra::beam {

namespace {

constexpr double PowerInCircle = 0.865;
const double InverseESquared = std::exp(-2.0); // 13.5 %

std::optional<double> knifeWidth(const PowerDistribution &d)
{
    const auto low = d.reach(0.10, true);
    const auto high = d.reach(0.10, false);
    if (!low || !high || !(*high > *low))
        return std::nullopt;
    return KnifeEdgeFactor * (*high - *low);
}

// d86 and the four knife-edge widths, from one pass over the area's pixels.
void powerWidths(const IntegrationArea &a, BeamWidths &w)
{
    const double cx = a.cx(), cy = a.cy(), ux = a.ux(), uy = a.uy();
    const double reach = std::hypot(a.halfMajor(), a.halfMinor()) + 2;
    PowerDistribution radial(0, reach);
    PowerDistribution alongX(a.left() - cx - 1, a.left() + a.width() - cx + 1);
    PowerDistribution alongY(a.top() - cy - 1, a.top() + a.height() - cy + 1);
    PowerDistribution alongMajor(-reach, reach);
    PowerDistribution alongMinor(-reach, reach);
    std::vector<double> columns(std::size_t(a.width()), 0.0);
    // A row's coordinates first, then each distribution takes the row at once.
    std::vector<double> radii(std::size_t(a.width())), us(radii.size()), vs(radii.size());
    for (int y = a.top(); y < a.top() + a.height(); ++y) {
        const double dy = y - cy;
        double rowPower = 0;
        const int first = a.rowFirst(y), last = a.rowLast(y);
        if (first > last) {
            alongY.add(dy, rowPower);
            continue;
        }
        const std::size_t n = std::size_t(last - first + 1);
        const float *e = a.row(y) + (first - a.left());
        for (std::size_t i = 0; i < n; ++i) {
            const double dx = double(first + int(i)) - cx;
            radii[i] = std::sqrt(dx * dx + dy * dy);
        }
        double u = (first - cx) * ux + dy * uy, v = -(first - cx) * uy + dy * ux;
        for (std::size_t i = 0; i < n; ++i, u += ux, v -= uy) {
            us[i] = u;
            vs[i] = v;
            rowPower += e[i];
            columns[std::size_t(first - a.left()) + i] += e[i];
        }
        PowerDistribution::addAll(radial, radii.data(), alongMajor, us.data(), alongMinor, vs.data(), e, n);
        alongY.add(dy, rowPower);
    }
    for (int x = a.left(); x < a.left() + a.width(); ++x)
        alongX.add(x - cx, columns[std::size_t(x - a.left())]);
    if (const auto r = radial.reach(PowerInCircle))
        w.d86 = 2 * *r;
    w.knifeX = knifeWidth(alongX);
    w.knifeY = knifeWidth(alongY);
    w.knifeMajor = knifeWidth(alongMajor);
    w.knifeMinor = knifeWidth(alongMinor);
}

} // namespace

BeamWidths widthsOver(const IntegrationArea &area, const BeamResult &result)
{
    BeamWidths w;
    if (!area.valid() || !(area.power() > 0))
        return w;
    w.ux = area.ux();
    w.uy = area.uy();
    powerWidths(area, w);
    w.profileMajor = sampleAxisProfile(area, w.ux, w.uy, area.halfMajor(), result.dMinor);
    w.profileMinor = sampleAxisProfile(area, -w.uy, w.ux, area.halfMinor(), result.dMajor);
    w.clipMajor = clipWidth(w.profileMajor, InverseESquared);
    w.fwhmMajor = clipWidth(w.profileMajor, 0.5);
    w.clipMinor = clipWidth(w.profileMinor, InverseESquared);
    w.fwhmMinor = clipWidth(w.profileMinor, 0.5);
    w.gauss = fitGaussian(area, result.dMajor, result.dMinor);
    w.iso = flatTopFigures(area, result.dMinor);
    return w;
}

} // namespace lumetra::beam
