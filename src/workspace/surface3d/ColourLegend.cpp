#include "workspace/surface3d/ColourLegend.h"

#include <QPainter>

namespace lumetra {

constexpr int Ticks = 5;
constexpr int BarWidth = 18;
constexpr int Margin = 8;

ColourLegend::ColourLegend(const QString &title, const QLinearGradient &colours, int low, int high,
                           QWidget *parent)
    : QWidget(parent), m_title(title), m_colours(colours), m_low(low), m_high(high)
{
    setObjectName(QStringLiteral("colourLegend"));
    setMinimumWidth(sizeHint().width());
}

QList<int> ColourLegend::tickValues() const
{
    QList<int> values;
    for (int k = Ticks - 1; k >= 0; --k)
        values << m_low + (m_high - m_low) * k / (Ticks - 1);
    return values;
}

QSize ColourLegend::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int labels = std::max(metrics.horizontalAdvance(QString::number(m_high)),
                                metrics.horizontalAdvance(QString::number(m_low)));
    return QSize(std::max(metrics.horizontalAdvance(m_title), BarWidth + 6 + labels) + 2 * Margin, 240);
}

void ColourLegend::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    painter.drawText(QRect(0, Margin, width(), metrics.height()), Qt::AlignHCenter, m_title);
    const QRect bar(Margin, Margin + 2 * metrics.height(), BarWidth,
                    height() - 3 * Margin - 3 * metrics.height());
    QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
    gradient.setStops(m_colours.stops());
    painter.fillRect(bar, gradient);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    const QList<int> values = tickValues();
    for (int k = 0; k < values.size(); ++k) {
        const int y = bar.top() + (bar.height() - 1) * k / (Ticks - 1);
        painter.drawLine(bar.right() + 1, y, bar.right() + 4, y);
        painter.drawText(QPoint(bar.right() + 6, y + metrics.ascent() / 2), QString::number(values[k]));
    }
}

} // namespace lumetra
