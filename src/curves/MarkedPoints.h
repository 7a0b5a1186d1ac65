#pragma once

#include "analysis/AnalysisState.h"

#include <QPointF>
#include <QString>

#include <array>

class QLabel;

namespace lumetra {

class PictureSurface;

// The up to eleven points marked on a curve plot: a white exclusive-or cross of +-5 pixels each
// and a caption label, with their pixels and values kept in the shared mark tables of the
// window's orientation (MarkCountH/MarkPixelsH/MarkValuesH or the V tables).
class MarkedPoints
{
public:
    static constexpr int Capacity = 11;

    MarkedPoints(AnalysisState &state, PictureSurface &plot, const std::array<QLabel *, 11> &labels,
                 bool vertical);

    int count() const;
    QPointF pixel(int index) const;
    // Column 0 and column 1 of the value table: position, intensity (horizontal) or intensity,
    // position (vertical).
    double value(int index, int column) const;

    // A left click at plot pixel (x, y): draws the cross, stores pixel and values, shows the
    // caption. False (and nothing changes) when eleven points exist.
    bool place(double x, double y);
    // "Remove all points": erases every cross, hides the captions, count 0; the tables keep
    // their old values.
    void removeAll();
    // Count 0, both tables zeroed, captions hidden; the crosses are not erased (the plot is
    // about to be cleared).
    void forget();
    // After the plot changed size: rescales each point's pixels, draws its cross on the new plot,
    // moves its caption and recomputes its position; the intensity stays.
    void rescale(bool enlarged);
    // After the position axis scrolled by `step` (+1 or -1): redraws the crosses at their pixel
    // places and shifts their positions by the step.
    void followScroll(int step);

    // Draws (or, drawn again, removes) the cross at (x, y).
    static void drawMark(PictureSurface &plot, double x, double y);

private:
    double &countField();
    double countField() const;
    MarkTable &pixels();
    const MarkTable &pixels() const;
    MarkTable &values();
    const MarkTable &values() const;
    int positionColumn() const { return m_vertical ? 1 : 0; }
    void showCaption(int index);

    AnalysisState &m_state;
    PictureSurface &m_plot;
    std::array<QLabel *, 11> m_labels;
    bool m_vertical;
};

} // namespace lumetra
