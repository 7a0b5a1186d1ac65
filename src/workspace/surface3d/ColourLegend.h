#pragma once

#include <QLinearGradient>
#include <QWidget>

namespace lumetra {

// The colour key of a surface chart: a bar of the surface's colours from its lowest value at the
// bottom to its highest at the top, with the values at the ends and in between, under a title.
class ColourLegend : public QWidget
{
    Q_OBJECT

public:
    ColourLegend(const QString &title, const QLinearGradient &colours, int low, int high,
                 QWidget *parent = nullptr);

    // The values written beside the bar, top first.
    QList<int> tickValues() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title;
    QLinearGradient m_colours;
    int m_low;
    int m_high;
};

} // namespace lumetra
