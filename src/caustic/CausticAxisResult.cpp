#include "caustic/CausticAxisResult.h"

#include <QStringList>

namespace lumetra {

std::vector<CausticAxisResult> fitCausticAxes(const beam::CausticSeries &series)
{
    std::vector<CausticAxisResult> results;
    for (const beam::CausticAxis &axis : series.axes)
        results.push_back({causticAxisName(axis.label), beam::fitCaustic(axis.points, series.wavelengthNm)});
    return results;
}

QString causticAxisName(const QString &label)
{
    if (label == QLatin1String("major"))
        return QStringLiteral("长轴");
    if (label == QLatin1String("minor"))
        return QStringLiteral("短轴");
    return label;
}

QString isoCheckText(const beam::CausticFit &fit)
{
    if (fit.isoValid)
        return QStringLiteral("符合 ISO 11146-1");
    QStringList missing;
    const auto lack = [&missing](int have, int want, const QString &what) {
        if (have < want)
            missing << QStringLiteral("%1 个%2 (至少 %3)").arg(want - have).arg(what).arg(want);
    };
    lack(fit.points, beam::IsoMinimumPoints, QStringLiteral("点"));
    lack(fit.pointsWithinZr, beam::IsoMinimumNearWaist, QStringLiteral("在 z_R 内的点"));
    lack(fit.pointsBeyond2Zr, beam::IsoMinimumFarField, QStringLiteral("在 2 z_R 外的点"));
    return QStringLiteral("不符合 ISO 11146-1: 还需 %1").arg(missing.join(QStringLiteral("、")));
}

} // namespace lumetra
