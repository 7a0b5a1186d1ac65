#include "capture/live/LivePanel.h"

#include "analysis/beam/report/BeamWarningText.h"

#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {

constexpr int RefreshMs = 250;

QString number(double v, int decimals = 1)
{
    return QString::number(v, 'f', decimals);
}

} // namespace

LivePanel::LivePanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("livePanel"));
    setFixedWidth(PanelWidth);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    m_strip = new QLabel(this);
    m_strip->setObjectName(QStringLiteral("liveStrip"));
    m_strip->setWordWrap(true);
    m_strip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_strip->setMinimumHeight(4 * m_strip->fontMetrics().lineSpacing() + 4);
    layout->addWidget(m_strip);
    m_record = new QPushButton(tr("记录…"), this);
    m_record->setObjectName(QStringLiteral("liveRecord"));
    m_record->setToolTip(tr("长期记录：日志、统计与稳定性曲线"));
    connect(m_record, &QPushButton::clicked, this, &LivePanel::recordRequested);
    layout->addWidget(m_record, 0, Qt::AlignLeft);
    auto *plots = new QVBoxLayout;
    plots->setSpacing(2);
    layout->addLayout(plots, 1);
    m_centroid = makePlot(QStringLiteral("centroidPlot"), QStringLiteral("x"), QStringLiteral("y"));
    m_diameter = makePlot(QStringLiteral("diameterPlot"), QStringLiteral("D4σ x"), QStringLiteral("D4σ y"));
    for (QChart *chart : {m_centroid.chart, m_diameter.chart}) {
        auto *view = new QChartView(chart, this);
        view->setObjectName(chart->objectName());
        view->setRenderHint(QPainter::Antialiasing, false);
        plots->addWidget(view);
    }
    m_refresh = new QTimer(this);
    m_refresh->setInterval(RefreshMs);
    connect(m_refresh, &QTimer::timeout, this, &LivePanel::refreshPlots);
    m_refresh->start();
    reset();
}

LivePanel::Plot LivePanel::makePlot(const QString &name, const QString &first, const QString &second)
{
    Plot p;
    p.chart = new QChart;
    p.chart->setObjectName(name);
    p.chart->setAnimationOptions(QChart::NoAnimation);
    p.chart->setMargins(QMargins(2, 2, 2, 2));
    p.chart->setBackgroundRoundness(0);
    QFont font = p.chart->titleFont();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    p.chart->setTitleFont(font);
    p.chart->legend()->setAlignment(Qt::AlignRight);
    p.chart->legend()->setFont(font);
    p.first = new QLineSeries;
    p.first->setName(first);
    p.second = new QLineSeries;
    p.second->setName(second);
    p.chart->addSeries(p.first);
    p.chart->addSeries(p.second);
    const auto axis = [&font](const QString &title, const QString &format, int ticks) {
        auto *a = new QValueAxis;
        a->setTitleText(title);
        a->setLabelFormat(format);
        a->setTickCount(ticks);
        a->setLabelsFont(font);
        a->setTitleFont(font);
        return a;
    };
    p.time = axis(tr("时间 (s)"), QStringLiteral("%d"), 4);
    p.value = axis(QStringLiteral("px"), QStringLiteral("%.1f"), 3);
    p.chart->addAxis(p.time, Qt::AlignBottom);
    p.chart->addAxis(p.value, Qt::AlignLeft);
    for (QLineSeries *s : {p.first, p.second}) {
        s->attachAxis(p.time);
        s->attachAxis(p.value);
    }
    return p;
}

void LivePanel::reset()
{
    m_history = nullptr;
    m_stale = false;
    m_strip->setText(tr("实时测量：等待图像…"));
    for (Plot *p : {&m_centroid, &m_diameter}) {
        p->first->clear();
        p->second->clear();
        p->time->setRange(-60, 0);
        p->value->setRange(0, 1);
    }
    m_centroid.chart->setTitle(tr("质心"));
    m_diameter.chart->setTitle(tr("D4σ 直径"));
}

QString LivePanel::length(double px, int decimals) const
{
    if (m_calibration.calibrated())
        return tr("%1 px（%2）").arg(number(px, decimals), formatLength(m_calibration.toUm(px)));
    return number(px, decimals) + QStringLiteral(" px");
}

QString LivePanel::stripText(const LiveSample &sample) const
{
    const beam::BeamResult &r = sample.result;
    if (!sample.error.isEmpty())
        return sample.error;
    if (r.status != beam::BeamStatus::Ok)
        return tr("未检测到光斑");
    QString text = tr("质心 x %1 px  y %2 px\nD4σ 长轴 %3  短轴 %4\nD4σ x %5  y %6\n")
                       .arg(number(r.centroidX), number(r.centroidY), length(r.dMajor), length(r.dMinor),
                            length(r.dX), length(r.dY));
    text += tr("角度 %1°  椭圆度 %2  峰值 %3")
                .arg(number(r.phiDeg), number(r.ellipticity, 3), number(r.peak, 0));
    if (r.saturatedPixels > 0)
        text += tr("  饱和：%1 个像素").arg(r.saturatedPixels);
    beam::BeamWarnings saturation;
    saturation.add(beam::BeamWarning::Saturated);
    for (const QString &warning : beam::beamWarningTexts(r.warnings, saturation))
        text += QStringLiteral("\n⚠ ") + warning;
    return text;
}

void LivePanel::showSample(const LiveSample &sample, const LiveHistory &history)
{
    m_strip->setText(stripText(sample));
    m_history = &history;
    m_stale = true;
}

QString LivePanel::centroidTitle() const
{
    return m_centroid.chart->title();
}

QString LivePanel::diameterTitle() const
{
    return m_diameter.chart->title();
}

int LivePanel::plottedPoints() const
{
    return int(m_centroid.first->count() + m_centroid.second->count());
}

void LivePanel::refreshPlots()
{
    if (!m_stale || !m_history || m_history->points().empty())
        return;
    m_stale = false;
    const LiveHistory &h = *m_history;
    const double now = h.points().back().t;
    const auto fill = [&](Plot &p, double LivePoint::*a, double LivePoint::*b) {
        QList<QPointF> first, second;
        first.reserve(qsizetype(h.points().size()));
        second.reserve(qsizetype(h.points().size()));
        double lo = INFINITY, hi = -INFINITY;
        for (const LivePoint &pt : h.points()) {
            first.append(QPointF(pt.t - now, pt.*a));
            second.append(QPointF(pt.t - now, pt.*b));
            lo = std::min({lo, pt.*a, pt.*b});
            hi = std::max({hi, pt.*a, pt.*b});
        }
        p.first->replace(first);
        p.second->replace(second);
        const double pad = std::max(0.5, (hi - lo) * 0.1);
        p.value->setRange(lo - pad, hi + pad);
        p.time->setRange(-h.span(), 0);
    };
    fill(m_centroid, &LivePoint::cx, &LivePoint::cy);
    fill(m_diameter, &LivePoint::dx, &LivePoint::dy);
    const auto sd = [&](double LivePoint::*q) { return h.spread(q).stddev; };
    // Standard deviations are a fraction of a pixel: two decimals.
    m_centroid.chart->setTitle(tr("质心  σx %1  σy %2").arg(length(sd(&LivePoint::cx), 2), length(sd(&LivePoint::cy), 2)));
    m_diameter.chart->setTitle(QStringLiteral("D4σ  σx %1  σy %2").arg(length(sd(&LivePoint::dx), 2), length(sd(&LivePoint::dy), 2)));
}

} // namespace lumetra
