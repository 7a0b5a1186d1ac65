#include "caustic/CausticChart.h"

#include "caustic/CausticAxisResult.h"
#include "platform/charts/ValueAxes.h"

#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {

const QColor AxisColours[] = {QColor(31, 119, 180), QColor(214, 39, 40)};
constexpr int CurveSamples = 240;

} // namespace

CausticChart::CausticChart(QGraphicsItem *parent) : QChart(parent)
{
    m_zAxis = numberAxis(this, QStringLiteral("z (mm)"));
    m_dAxis = numberAxis(this, tr("直径 d (µm)"));
    QFont titleFont = font();
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    setTitleFont(titleFont);
    addAxis(m_zAxis, Qt::AlignBottom);
    addAxis(m_dAxis, Qt::AlignLeft);
    legend()->setAlignment(Qt::AlignRight);
    legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    setAnimationOptions(QChart::NoAnimation);
}

void CausticChart::setSeries(const beam::CausticSeries &series)
{
    removeAllSeries();
    m_fitLabels.clear();
    setTitle(series.wavelengthNm > 0
                 ? tr("光束焦散 (ISO 11146-1)  λ = %1 nm").arg(series.wavelengthNm, 0, 'g', 6)
                 : tr("光束焦散 (ISO 11146-1)"));
    double zMin = 0, zMax = 0, dMax = 0;
    bool any = false;
    for (const beam::CausticAxis &axis : series.axes)
        for (const beam::CausticPoint &p : axis.points) {
            zMin = any ? std::min(zMin, p.zMm) : p.zMm;
            zMax = any ? std::max(zMax, p.zMm) : p.zMm;
            dMax = std::max(dMax, p.dUm);
            any = true;
        }
    // Every fitted waist and its Rayleigh range are in sight, also one extrapolated beyond the
    // measurements (up to ten measured ranges away: a fit of a few poor points can put it anywhere).
    const double measured = std::max(zMax - zMin, 1.0);
    for (const beam::CausticAxis &axis : series.axes) {
        const beam::CausticFitResult fit = beam::fitCaustic(axis.points, series.wavelengthNm);
        if (!fit.ok())
            continue;
        const double low = fit.fit->z0Mm - fit.fit->zrMm, high = fit.fit->z0Mm + fit.fit->zrMm;
        if (std::isfinite(low) && std::isfinite(high) && low > zMin - 10 * measured && high < zMax + 10 * measured) {
            zMin = std::min(zMin, low);
            zMax = std::max(zMax, high);
        }
    }
    const double margin = zMax > zMin ? 0.05 * (zMax - zMin) : 1.0;
    zMin -= margin;
    zMax += margin;
    // Drawn coordinates stay within a few plot sizes of the plot: a poor fit of a few points can
    // put a waist or a Rayleigh mark light-years away, and the painter crawls over such lines.
    const double span = zMax - zMin;
    m_bounds = QRectF(QPointF(zMin - 4 * span, 0), QPointF(zMax + 4 * span, 5 * std::max(dMax, 1.0)));
    for (std::size_t i = 0; i < series.axes.size(); ++i)
        addCausticAxis(series.axes[i], series.wavelengthNm, AxisColours[i % 2], zMin, zMax);
    setNiceRange(m_zAxis, zMin, zMax, 6);
    setNiceRange(m_dAxis, 0, dMax > 0 ? dMax * 1.08 : 1.0, 6);
}

void CausticChart::addLine(const QString &name, const QList<QPointF> &points, const QPen &pen, bool inLegend)
{
    auto *line = new QLineSeries(this);
    line->setName(name);
    line->setPen(pen);
    for (const QPointF &p : points)
        line->append(std::clamp(p.x(), m_bounds.left(), m_bounds.right()),
                     std::clamp(p.y(), m_bounds.top(), m_bounds.bottom()));
    QChart::addSeries(line);
    line->attachAxis(m_zAxis);
    line->attachAxis(m_dAxis);
    if (!inLegend)
        legend()->markers(line).first()->setVisible(false);
}

void CausticChart::addCausticAxis(const beam::CausticAxis &axis, double wavelengthNm, const QColor &colour,
                                  double zFrom, double zTo)
{
    const QString name = causticAxisName(axis.label);
    auto *measured = new QScatterSeries(this);
    measured->setName(tr("%1 测量").arg(name));
    measured->setColor(colour);
    measured->setBorderColor(colour.darker(130));
    measured->setMarkerSize(9);
    measured->setMarkerShape(m_fitLabels.isEmpty() ? QScatterSeries::MarkerShapeCircle
                                                   : QScatterSeries::MarkerShapeRectangle);
    for (const beam::CausticPoint &p : axis.points)
        measured->append(p.zMm, p.dUm);
    QChart::addSeries(measured);
    measured->attachAxis(m_zAxis);
    measured->attachAxis(m_dAxis);

    const beam::CausticFitResult result = beam::fitCaustic(axis.points, wavelengthNm);
    if (!result.ok()) {
        // The points stay; the legend says there is no curve and why.
        const QString label = tr("%1 无拟合：%2").arg(name, causticFailureText(result));
        addLine(label, {}, QPen(colour, 2), true);
        m_fitLabels << label;
        return;
    }
    const beam::CausticFit &fit = *result.fit;
    QList<QPointF> curve;
    for (int i = 0; i <= CurveSamples; ++i) {
        const double z = zFrom + (zTo - zFrom) * i / CurveSamples;
        curve << QPointF(z, fit.diameterAt(z));
    }
    const QString label =
        tr("%1 拟合 M² = %2").arg(name, figureWithError(fit.m2, fit.sd.m2, fit.sd.known, 3));
    addLine(label, curve, QPen(colour, 2), true);
    m_fitLabels << label;

    // The waist: a vertical line from the axis to d0; the Rayleigh range: dashed lines at
    // z0 ± zR up to the diameter there (sqrt 2 d0), joined at that height.
    QPen waistPen(colour, 1.5);
    addLine(tr("%1 束腰").arg(name), {QPointF(fit.z0Mm, 0), QPointF(fit.z0Mm, fit.d0Um)}, waistPen, false);
    QPen rayleighPen(colour, 1.2, Qt::DashLine);
    const double atZr = fit.diameterAt(fit.z0Mm + fit.zrMm);
    addLine(QStringLiteral("%1 z₀ ± z_R = %2 ± %3 mm").arg(name).arg(fit.z0Mm, 0, 'f', 1).arg(fit.zrMm, 0, 'f', 1),
            {QPointF(fit.z0Mm - fit.zrMm, 0), QPointF(fit.z0Mm - fit.zrMm, atZr),
             QPointF(fit.z0Mm + fit.zrMm, atZr), QPointF(fit.z0Mm + fit.zrMm, 0)},
            rayleighPen, true);
    auto *waist = new QScatterSeries(this);
    waist->setName(tr("%1 束腰 d₀ = %2 µm").arg(name).arg(fit.d0Um, 0, 'f', 1));
    waist->setMarkerShape(QScatterSeries::MarkerShapeStar);
    waist->setMarkerSize(16);
    waist->setColor(colour);
    waist->setBorderColor(colour.darker(150));
    if (m_bounds.contains(fit.z0Mm, fit.d0Um))
        waist->append(fit.z0Mm, fit.d0Um);
    QChart::addSeries(waist);
    waist->attachAxis(m_zAxis);
    waist->attachAxis(m_dAxis);
}

} // namespace lumetra
