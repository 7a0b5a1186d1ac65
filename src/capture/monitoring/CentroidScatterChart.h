#pragma once

#include "analysis/monitoring/PointingStatistics.h"

#include <QtCharts/QChartView>

#include <deque>
#include <utility>

class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace lumetra {

// The newest centroid positions as dots (y down, as in the picture) with the ellipse of the
// positional stability around their mean: semi-axes Δu = 2 s_u and Δv = 2 s_v along the
// azimuth φ of the statistics given.
class CentroidScatterChart : public QChartView
{
    Q_OBJECT

public:
    explicit CentroidScatterChart(QWidget *parent = nullptr);

    void showPoints(const std::deque<std::pair<double, double>> &centroids,
                    const monitoring::PointingStatistics &statistics, double umPerPixel);
    void clear();
    int pointCount() const;
    // The ellipse as drawn (px or µm), for tests.
    QList<QPointF> ellipse() const;

private:
    QScatterSeries *m_points = nullptr;
    QLineSeries *m_ellipse = nullptr;
    QValueAxis *m_x = nullptr;
    QValueAxis *m_y = nullptr;
};

} // namespace lumetra
