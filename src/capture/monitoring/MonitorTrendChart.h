#pragma once

#include "analysis/monitoring/DecimatedHistory.h"

#include <QtCharts/QChartView>

class QAreaSeries;
class QLineSeries;
class QValueAxis;

namespace lumetra {

// One of the monitoring plots: two quantities (the centroid's x and y, or the D4σ diameters)
// over one window of the decimated history, each as the band between its lowest and highest
// value per bucket with the bucket means as a line. Lengths in µm when a scale is given. The
// centroid is drawn as its offset from the window's mean, so x and y share one axis.
class MonitorTrendChart : public QChartView
{
    Q_OBJECT

public:
    enum class Kind { Centroid, Diameter };

    MonitorTrendChart(Kind kind, QWidget *parent = nullptr);

    // Redraws from the buckets of `window` (DecimatedHistory's index); umPerPixel 0: pixels.
    void showWindow(const monitoring::DecimatedHistory &history, int window, double umPerPixel);
    void clear();
    // Points in the two bands and lines together (for tests and the benchmark).
    int pointCount() const;

private:
    struct Trace
    {
        QLineSeries *low = nullptr;
        QLineSeries *high = nullptr;
        QLineSeries *mean = nullptr;
        QAreaSeries *band = nullptr;
    };
    Trace makeTrace(const QString &name, const QColor &colour);

    Kind m_kind;
    Trace m_first, m_second;
    QValueAxis *m_time = nullptr;
    QValueAxis *m_value = nullptr;
};

} // namespace lumetra
