#include "capture/monitoring/MonitorTrendChart.h"

#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {

using monitoring::DecimatedHistory;
using monitoring::RunningMoments;

// The time axis' unit for a window: seconds for a minute, minutes up to an hour, hours beyond.
std::pair<double, QString> timeUnit(int window)
{
    const double span = DecimatedHistory::WindowSeconds[std::size_t(window)];
    if (span <= 60)
        return {1.0, QStringLiteral("s")};
    if (span <= 3600)
        return {60.0, QStringLiteral("min")};
    return {3600.0, QStringLiteral("h")};
}

} // namespace

MonitorTrendChart::MonitorTrendChart(Kind kind, QWidget *parent) : QChartView(parent), m_kind(kind)
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignRight);
    // The view's own first chart is handed back by setChart, not deleted.
    QChart *first = this->chart();
    setChart(chart);
    delete first;
    setRenderHint(QPainter::Antialiasing, false);
    m_time = new QValueAxis;
    m_value = new QValueAxis;
    m_time->setTickCount(5);
    m_value->setTickCount(5);
    m_value->setLabelFormat(QStringLiteral("%.2f"));
    chart->addAxis(m_time, Qt::AlignBottom);
    chart->addAxis(m_value, Qt::AlignLeft);
    const bool centroid = kind == Kind::Centroid;
    m_first = makeTrace(centroid ? QStringLiteral("x") : QStringLiteral("D4σ x"), QColor(31, 119, 180));
    m_second = makeTrace(centroid ? QStringLiteral("y") : QStringLiteral("D4σ y"), QColor(214, 39, 40));
    chart->setTitle(centroid ? tr("质心偏移（相对窗口均值）") : tr("D4σ 直径"));
    clear();
}

MonitorTrendChart::Trace MonitorTrendChart::makeTrace(const QString &name, const QColor &colour)
{
    Trace t;
    t.low = new QLineSeries(this);
    t.high = new QLineSeries(this);
    t.mean = new QLineSeries;
    t.band = new QAreaSeries(t.high, t.low);
    QColor fill = colour;
    fill.setAlpha(70);
    t.band->setBrush(fill);
    t.band->setPen(QPen(fill, 1));
    t.band->setName(tr("%1 最小–最大").arg(name));
    t.mean->setName(name);
    t.mean->setPen(QPen(colour, 1.5));
    chart()->addSeries(t.band);
    chart()->addSeries(t.mean);
    for (QAbstractSeries *s : {static_cast<QAbstractSeries *>(t.band), static_cast<QAbstractSeries *>(t.mean)}) {
        s->attachAxis(m_time);
        s->attachAxis(m_value);
    }
    return t;
}

void MonitorTrendChart::clear()
{
    for (Trace *t : {&m_first, &m_second}) {
        t->low->clear();
        t->high->clear();
        t->mean->clear();
    }
    m_time->setRange(-60, 0);
    m_time->setTitleText(tr("时间 (s)"));
    m_value->setRange(-1, 1);
}

int MonitorTrendChart::pointCount() const
{
    int n = 0;
    for (const Trace *t : {&m_first, &m_second})
        n += int(t->low->count() + t->high->count() + t->mean->count());
    return n;
}

void MonitorTrendChart::showWindow(const DecimatedHistory &history, int window, double umPerPixel)
{
    const auto &buckets = history.buckets(window);
    if (buckets.empty()) {
        clear();
        return;
    }
    const double scale = umPerPixel > 0 ? umPerPixel : 1.0;
    const auto [unit, unitName] = timeUnit(window);
    const double width = DecimatedHistory::bucketSeconds(window);
    const double now = double(buckets.back().index + 1) * width;
    const bool centroid = m_kind == Kind::Centroid;
    const RunningMoments all = history.windowMoments(window);
    const RunningMoments::Quantity qa = centroid ? RunningMoments::Cx : RunningMoments::Dx;
    const RunningMoments::Quantity qb = centroid ? RunningMoments::Cy : RunningMoments::Dy;
    const double offsetA = centroid ? all.mean(qa) : 0.0, offsetB = centroid ? all.mean(qb) : 0.0;

    double lo = INFINITY, hi = -INFINITY;
    const auto fill = [&](Trace &trace, RunningMoments::Quantity q, double offset) {
        QList<QPointF> low, high, mean;
        low.reserve(qsizetype(2 * buckets.size()));
        high.reserve(qsizetype(2 * buckets.size()));
        mean.reserve(qsizetype(buckets.size()));
        for (const auto &b : buckets) {
            if (b.moments.count() == 0)
                continue;
            // Each bucket as a step across its own length, so narrow bands do not look like spikes.
            const double t0 = (double(b.index) * width - now) / unit, t1 = t0 + width / unit;
            const double vLow = (b.moments.minimum(q) - offset) * scale, vHigh = (b.moments.maximum(q) - offset) * scale;
            low << QPointF(t0, vLow) << QPointF(t1, vLow);
            high << QPointF(t0, vHigh) << QPointF(t1, vHigh);
            mean << QPointF(0.5 * (t0 + t1), (b.moments.mean(q) - offset) * scale);
            lo = std::min(lo, vLow);
            hi = std::max(hi, vHigh);
        }
        trace.low->replace(low);
        trace.high->replace(high);
        trace.mean->replace(mean);
    };
    fill(m_first, qa, offsetA);
    fill(m_second, qb, offsetB);
    const double pad = std::max((hi - lo) * 0.08, centroid ? 0.05 * scale : 0.5 * scale);
    m_value->setRange(lo - pad, hi + pad);
    m_value->applyNiceNumbers();
    m_value->setTitleText(umPerPixel > 0 ? QStringLiteral("µm") : QStringLiteral("px"));
    m_time->setRange(-DecimatedHistory::WindowSeconds[std::size_t(window)] / unit, 0);
    m_time->setTitleText(tr("时间 (%1)").arg(unitName));
}

} // namespace lumetra
