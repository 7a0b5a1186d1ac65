#include "capture/monitoring/CentroidScatterChart.h"

#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace lumetra {

CentroidScatterChart::CentroidScatterChart(QWidget *parent) : QChartView(parent)
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    chart->setTitle(tr("质心分布与 2σ 椭圆"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    // The view's own first chart is handed back by setChart, not deleted.
    QChart *first = this->chart();
    setChart(chart);
    delete first;
    m_points = new QScatterSeries;
    m_points->setName(tr("质心"));
    m_points->setMarkerSize(3.0);
    m_points->setBorderColor(Qt::transparent);
    m_points->setColor(QColor(31, 119, 180, 140));
    m_ellipse = new QLineSeries;
    m_ellipse->setName(tr("2σ（ISO 11670）"));
    m_ellipse->setPen(QPen(QColor(214, 39, 40), 2));
    chart->addSeries(m_points);
    chart->addSeries(m_ellipse);
    m_x = new QValueAxis;
    m_y = new QValueAxis;
    m_y->setReverse(true); // y grows downwards, as in the picture
    m_x->setLabelFormat(QStringLiteral("%.1f"));
    m_y->setLabelFormat(QStringLiteral("%.1f"));
    chart->addAxis(m_x, Qt::AlignBottom);
    chart->addAxis(m_y, Qt::AlignLeft);
    for (QAbstractSeries *s : {static_cast<QAbstractSeries *>(m_points), static_cast<QAbstractSeries *>(m_ellipse)}) {
        s->attachAxis(m_x);
        s->attachAxis(m_y);
    }
    clear();
}

void CentroidScatterChart::clear()
{
    m_points->clear();
    m_ellipse->clear();
    m_x->setRange(0, 1);
    m_y->setRange(0, 1);
}

int CentroidScatterChart::pointCount() const
{
    return int(m_points->count());
}

QList<QPointF> CentroidScatterChart::ellipse() const
{
    return m_ellipse->points();
}

void CentroidScatterChart::showPoints(const std::deque<std::pair<double, double>> &centroids,
                                      const monitoring::PointingStatistics &s, double umPerPixel)
{
    if (centroids.empty() || s.count == 0) {
        clear();
        return;
    }
    const double k = umPerPixel > 0 ? umPerPixel : 1.0;
    QList<QPointF> points;
    points.reserve(qsizetype(centroids.size()));
    for (const auto &[x, y] : centroids)
        points << QPointF(x * k, y * k);
    m_points->replace(points);
    m_points->setName(tr("最近 %1 个质心").arg(points.size()));

    QList<QPointF> ring;
    const double phi = s.azimuthDeg * 3.14159265358979323846 / 180.0;
    const double a = s.stabilityU * k, b = s.stabilityV * k;
    for (int i = 0; i <= 96; ++i) {
        const double t = 2 * 3.14159265358979323846 * i / 96;
        const double u = a * std::cos(t), v = b * std::sin(t);
        ring << QPointF(s.meanX * k + u * std::cos(phi) - v * std::sin(phi), s.meanY * k + u * std::sin(phi) + v * std::cos(phi));
    }
    m_ellipse->replace(ring);

    // A square view around everything shown: both axes span the same length.
    double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
    for (const QList<QPointF> *list : {&points, &ring})
        for (const QPointF &p : *list) {
            x0 = std::min(x0, p.x());
            x1 = std::max(x1, p.x());
            y0 = std::min(y0, p.y());
            y1 = std::max(y1, p.y());
        }
    const double half = 0.55 * std::max({x1 - x0, y1 - y0, 0.2 * k});
    const double cx = 0.5 * (x0 + x1), cy = 0.5 * (y0 + y1);
    m_x->setRange(cx - half, cx + half);
    m_y->setRange(cy - half, cy + half);
    m_x->setTitleText(umPerPixel > 0 ? QStringLiteral("x (µm)") : QStringLiteral("x (px)"));
    m_y->setTitleText(umPerPixel > 0 ? QStringLiteral("y (µm)") : QStringLiteral("y (px)"));
}

} // namespace lumetra
