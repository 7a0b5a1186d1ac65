#include "caustic/CausticAxisResult.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>

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
        return QCoreApplication::translate("CausticAxisResult", "长轴");
    if (label == QLatin1String("minor"))
        return QCoreApplication::translate("CausticAxisResult", "短轴");
    return label;
}

QString isoCheckText(const beam::CausticFit &fit)
{
    if (fit.isoValid)
        return QCoreApplication::translate("CausticAxisResult", "符合 ISO 11146-1");
    QStringList missing;
    const auto lack = [&missing](int have, int want, const char *what) {
        if (have < want)
            missing << QCoreApplication::translate("CausticAxisResult", what).arg(want - have).arg(want);
    };
    lack(fit.points, beam::IsoMinimumPoints, QT_TRANSLATE_NOOP("CausticAxisResult", "%1 个点 (至少 %2)"));
    lack(fit.pointsWithinZr, beam::IsoMinimumNearWaist,
         QT_TRANSLATE_NOOP("CausticAxisResult", "%1 个在 z_R 内的点 (至少 %2)"));
    lack(fit.pointsBeyond2Zr, beam::IsoMinimumFarField,
         QT_TRANSLATE_NOOP("CausticAxisResult", "%1 个在 2 z_R 外的点 (至少 %2)"));
    return QCoreApplication::translate("CausticAxisResult", "不符合 ISO 11146-1: 还需 %1")
        .arg(missing.join(QCoreApplication::translate("CausticAxisResult", "、")));
}

QString causticFailureText(const beam::CausticFitResult &result)
{
    using beam::CausticFailure;
    switch (result.failure) {
    case CausticFailure::BadWavelength:
        return QCoreApplication::translate("CausticAxisResult", "波长必须是正数");
    case CausticFailure::TooFewPoints:
        return QCoreApplication::translate("CausticAxisResult", "拟合至少需要 3 个点，现有 %1 个")
            .arg(result.points);
    case CausticFailure::NonFiniteZ:
        return QCoreApplication::translate("CausticAxisResult", "有一个 z 位置不是有限数");
    case CausticFailure::BadDiameter:
        return QCoreApplication::translate("CausticAxisResult", "z = %1 mm 处的直径不是正数")
            .arg(result.failedZMm);
    case CausticFailure::TooFewPositions:
        return QCoreApplication::translate("CausticAxisResult", "至少需要 3 个不同的 z 位置");
    case CausticFailure::NoNarrowing:
        return QCoreApplication::translate("CausticAxisResult",
                                           "直径没有收窄到束腰：拟合 d² = A + Bz + Cz² 的 C ≤ 0");
    case CausticFailure::NoRealWaist:
        return QCoreApplication::translate(
            "CausticAxisResult",
            "拟合没有真实的束腰：A − B²/4C ≤ 10⁻⁶ A（直径像圆锥一样收窄或更快，束腰无法分辨）");
    case CausticFailure::None:
        break;
    }
    return QString();
}

QString figureWithError(double value, double sd, bool known, int decimals)
{
    if (!known || !(sd > 0) || !std::isfinite(sd))
        return QString::number(value, 'f', decimals);
    const int exponent = int(std::floor(std::log10(sd)));
    const bool leadingOne = sd / std::pow(10.0, exponent) < 1.95;
    const int places = std::clamp(-exponent + (leadingOne ? 1 : 0), 0, decimals + 3);
    return QStringLiteral("%1 ± %2").arg(value, 0, 'f', places).arg(sd, 0, 'f', places);
}

QStringList causticWarningTexts(const beam::CausticFit &fit)
{
    QStringList texts;
    for (const beam::CausticWarning w : fit.warnings)
        texts << (w == beam::CausticWarning::M2BelowOne
                      ? QCoreApplication::translate("CausticAxisResult",
                                                    "M² < 1 不符合物理规律：请检查波长和像素尺寸")
                      : QCoreApplication::translate("CausticAxisResult",
                                                    "束腰位置在测量范围之外，是外推的：请在束腰两侧测量"));
    return texts;
}

} // namespace lumetra
