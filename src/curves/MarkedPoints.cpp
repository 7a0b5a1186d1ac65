#include "curves/MarkedPoints.h"

#include "analysis/curves/CurveRedraw.h"
#include "curves/CurveValues.h"
#include "surface/PictureSurface.h"

#include <QLabel>

#include <cmath>

namespace lumetra {

MarkedPoints::MarkedPoints(AnalysisState &state, PictureSurface &plot, const std::array<QLabel *, 11> &labels,
                           bool vertical)
    : m_state(state), m_plot(plot), m_labels(labels), m_vertical(vertical)
{
}

double &MarkedPoints::countField()
{
    return m_vertical ? m_state.view.MarkCountV : m_state.view.MarkCountH;
}
double MarkedPoints::countField() const
{
    return m_vertical ? m_state.view.MarkCountV : m_state.view.MarkCountH;
}
MarkTable &MarkedPoints::pixels()
{
    return m_vertical ? m_state.view.MarkPixelsV : m_state.view.MarkPixelsH;
}
const MarkTable &MarkedPoints::pixels() const
{
    return m_vertical ? m_state.view.MarkPixelsV : m_state.view.MarkPixelsH;
}
MarkTable &MarkedPoints::values()
{
    return m_vertical ? m_state.view.MarkValuesV : m_state.view.MarkValuesH;
}
const MarkTable &MarkedPoints::values() const
{
    return m_vertical ? m_state.view.MarkValuesV : m_state.view.MarkValuesH;
}

int MarkedPoints::count() const
{
    // The count lives in the shared state, where others may set it; keep it inside the tables.
    const double c = countField();
    return c < 0 ? 0 : (c > Capacity ? Capacity : static_cast<int>(c));
}

QPointF MarkedPoints::pixel(int index) const
{
    const auto &row = pixels().at(static_cast<size_t>(index));
    return QPointF(row[0], row[1]);
}

double MarkedPoints::value(int index, int column) const
{
    return values().at(static_cast<size_t>(index)).at(static_cast<size_t>(column));
}

void MarkedPoints::drawMark(PictureSurface &plot, double x, double y)
{
    plot.setPenMode(PictureSurface::PenMode::Xor);
    plot.line(x - 5, y, x + 5, y, colours::White);
    plot.line(x, y - 5, x, y + 5, colours::White);
    plot.setPenMode(PictureSurface::PenMode::Copy);
}

bool MarkedPoints::place(double x, double y)
{
    const int n = count();
    if (n >= Capacity)
        return false;
    drawMark(m_plot, x, y);
    const int positionLength = m_vertical ? m_plot.height() : m_plot.width();
    const double position = m_state.picture.toPicturePixels(
        CurveValues::clampedPositionAt(m_state, m_vertical, m_vertical ? y : x, positionLength));
    const double intensity = CurveValues::intensityAt(m_state, m_vertical, m_vertical ? x : y);
    auto &value = values()[static_cast<size_t>(n)];
    value[static_cast<size_t>(positionColumn())] = position;
    value[static_cast<size_t>(1 - positionColumn())] = intensity;
    pixels()[static_cast<size_t>(n)] = {x, y};
    showCaption(n);
    countField() = n + 1;
    return true;
}

void MarkedPoints::showCaption(int index)
{
    QLabel *label = m_labels[static_cast<size_t>(index)];
    const auto &value = values()[static_cast<size_t>(index)];
    const QPointF p = pixel(index);
    label->setText(CurveValues::pointCaption(value[0], value[1]));
    label->adjustSize();
    // The labels lie on the plot box; plot pixel (0, 0) sits inside its border.
    const int border = (label->parentWidget()->width() - m_plot.width()) / 2;
    if (m_vertical)
        label->move(border + static_cast<int>(std::floor(p.x() - 5 - label->width() / 2.0)),
                    border + static_cast<int>(std::floor(p.y() + 5)));
    else
        label->move(border + static_cast<int>(std::floor(p.x() + 5)),
                    border + static_cast<int>(std::floor(p.y() - 5)));
    label->show();
    label->raise();
}

void MarkedPoints::removeAll()
{
    const int n = count();
    for (int i = 0; i < n; ++i) {
        const QPointF p = pixel(i);
        drawMark(m_plot, p.x(), p.y());
        m_labels[static_cast<size_t>(i)]->hide();
    }
    countField() = 0;
}

void MarkedPoints::forget()
{
    curveview::ForgetMarks(m_state, m_vertical);
    for (QLabel *label : m_labels)
        label->hide();
}

void MarkedPoints::rescale(bool enlarged)
{
    const double sx = m_vertical ? 2.0 : 1.5;
    const double sy = m_vertical ? 1.25 : 2.0;
    const int positionLength = m_vertical ? m_plot.height() : m_plot.width();
    const int n = count();
    for (int i = 0; i < n; ++i) {
        auto &px = pixels()[static_cast<size_t>(i)];
        if (enlarged) {
            px[0] *= sx;
            px[1] *= sy;
        } else {
            px[0] = std::floor(px[0] / sx + 0.5);
            px[1] = std::floor(px[1] / sy + 0.5);
        }
        drawMark(m_plot, px[0], px[1]);
        values()[static_cast<size_t>(i)][static_cast<size_t>(positionColumn())] =
            CurveValues::clampedPositionAt(m_state, m_vertical, m_vertical ? px[1] : px[0], positionLength);
        showCaption(i);
    }
}

void MarkedPoints::followScroll(int step)
{
    const int n = count();
    for (int i = 0; i < n; ++i) {
        const QPointF p = pixel(i);
        drawMark(m_plot, p.x(), p.y());
        values()[static_cast<size_t>(i)][static_cast<size_t>(positionColumn())] += step;
        showCaption(i);
    }
}

} // namespace lumetra
