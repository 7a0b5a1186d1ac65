#pragma once

#include "analysis/caustic/CausticSeries.h"

#include <QRectF>
#include <QStringList>

#include <QtCharts/QChart>

class QValueAxis;

namespace lumetra {

// The caustic chart: for each axis the measured diameters against z, the fitted ISO 11146-1
// hyperbola with M² in its legend entry, the waist and the Rayleigh range z0 ± zR marked.
// An axis whose fit fails shows its points only, and its legend entry says why.
class CausticChart : public QChart
{
    Q_OBJECT

public:
    explicit CausticChart(QGraphicsItem *parent = nullptr);

    // Replaces what the chart shows.
    void setSeries(const beam::CausticSeries &series);

    // Legend texts of the fitted curves, in axis order (what tests and readers check).
    QStringList fitLabels() const { return m_fitLabels; }

private:
    void addCausticAxis(const beam::CausticAxis &axis, double wavelengthNm, const QColor &colour, double zFrom,
                        double zTo);
    void addLine(const QString &name, const QList<QPointF> &points, const QPen &pen, bool inLegend);

    QValueAxis *m_zAxis = nullptr;
    QValueAxis *m_dAxis = nullptr;
    QStringList m_fitLabels;
    QRectF m_bounds; // where drawn points are held (z, d)
};

} // namespace lumetra
