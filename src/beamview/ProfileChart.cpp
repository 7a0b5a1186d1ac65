#include "beamview/ProfileChart.h"

#include "platform/charts/ValueAxes.h"

#include <QFontMetricsF>
#include <QPen>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace lumetra {

ProfileChart::ProfileChart(const QString &title, QGraphicsItem *parent) : QChart(parent)
{
    setTitle(title);
    setAnimationOptions(QChart::NoAnimation);
    m_position = numberAxis(this);
    m_value = numberAxis(this, tr("强度 (计数)"));
    QFont small = font();
    small.setPointSizeF(8);
    for (QValueAxis *axis : {m_position, m_value}) {
        axis->setLabelsFont(small);
        axis->setTitleFont(small);
    }
    QFont heading = small;
    heading.setPointSizeF(9);
    heading.setBold(true);
    setTitleFont(heading);
    legend()->setFont(small);
    addAxis(m_position, Qt::AlignBottom);
    addAxis(m_value, Qt::AlignLeft);
    m_measured = new QLineSeries(this);
    m_measured->setName(tr("测量"));
    m_measured->setPen(QPen(QColor(31, 119, 180), 1.5));
    m_fitted = new QLineSeries(this);
    m_fitted->setName(tr("高斯拟合"));
    m_fitted->setPen(QPen(QColor(214, 39, 40), 1.5, Qt::DashLine));
    for (QLineSeries *s : {m_measured, m_fitted}) {
        addSeries(s);
        s->attachAxis(m_position);
        s->attachAxis(m_value);
    }
    legend()->setAlignment(Qt::AlignBottom);
    setMargins(QMargins(4, 4, 4, 4));
    clearProfile();
    // Labels that would touch are left out by the chart: fewer ticks on a lower plot instead.
    connect(this, &QChart::plotAreaChanged, this, [this] { setValueRange(); });
}

int ProfileChart::valueIntervals() const
{
    const double labelRoom = 1.5 * QFontMetricsF(m_value->labelsFont()).height();
    return std::clamp(int(plotArea().height() / labelRoom), 2, 5);
}

void ProfileChart::setValueRange()
{
    // A nice range rounds out to whole steps, which may add intervals: ask for fewer until the
    // labels fit.
    const int room = valueIntervals();
    for (int asked = room; asked >= 1; --asked) {
        setNiceRange(m_value, m_low, m_high, asked);
        if (std::lround((m_value->max() - m_value->min()) / m_value->tickInterval()) <= room)
            break;
    }
}

void ProfileChart::clearProfile()
{
    m_measured->clear();
    m_fitted->clear();
    m_position->setTitleText(tr("位置 (px)"));
    setNiceRange(m_position, -1, 1, 4);
    m_low = 0;
    m_high = 1;
    setValueRange();
}

void ProfileChart::setProfile(const beam::AxisProfile &profile, const std::vector<double> &fit, double umPerPixel)
{
    clearProfile();
    if (profile.empty())
        return;
    const double scale = umPerPixel > 0 ? umPerPixel : 1.0;
    m_position->setTitleText(umPerPixel > 0 ? tr("位置 (µm)") : tr("位置 (px)"));
    QList<QPointF> measured, fitted;
    double low = 0, high = 0;
    for (std::size_t i = 0; i < profile.position.size(); ++i) {
        measured.append(QPointF(profile.position[i] * scale, profile.value[i]));
        low = std::min(low, profile.value[i]);
        high = std::max(high, profile.value[i]);
        if (i < fit.size()) {
            fitted.append(QPointF(profile.position[i] * scale, fit[i]));
            high = std::max(high, fit[i]);
        }
    }
    m_measured->replace(measured);
    m_fitted->replace(fitted);
    setNiceRange(m_position, profile.position.front() * scale, profile.position.back() * scale, 5, true);
    m_low = low;
    m_high = high;
    setValueRange();
}

std::vector<double> fitAlongProfile(const beam::GaussianFit &fit, const beam::AxisProfile &profile, double cx,
                                    double cy, double ax, double ay)
{
    std::vector<double> values;
    values.reserve(profile.position.size());
    for (const double t : profile.position)
        values.push_back(fit.at(cx + t * ax, cy + t * ay));
    return values;
}

void showProfiles(ProfileChart &major, ProfileChart &minor, const beam::BeamWidths *w, double cx, double cy,
                  double umPerPixel)
{
    if (!w) {
        major.clearProfile();
        minor.clearProfile();
        return;
    }
    const auto fitOf = [&](const beam::AxisProfile &p, double ax, double ay) {
        return w->gauss ? fitAlongProfile(*w->gauss, p, cx, cy, ax, ay) : std::vector<double>();
    };
    major.setProfile(w->profileMajor, fitOf(w->profileMajor, w->ux, w->uy), umPerPixel);
    minor.setProfile(w->profileMinor, fitOf(w->profileMinor, -w->uy, w->ux), umPerPixel);
}

} // namespace lumetra
