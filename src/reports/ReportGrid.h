#pragma once

#include <cstdint>

namespace lumetra {

class PrinterPage;

// The axes of a curve report: the intensity axis (0 to 100 %) standing at LeftMargin + 200 with
// its ticks to the left and its labels to the right, and the position axis along the bottom of
// the plot up to RightMargin from the right edge, labelled every tenth of its length.
class ReportGrid
{
public:
    // labelStep: position units between two labelled ticks (64 for a row, 48 for a column; less
    // than one raster pixel per unit under a fitted picture). Labels are given to 0.1.
    ReportGrid(double leftMargin, double rightMargin, double plotTop, double axisStart, double labelStep);

    // Draws both axes with their ticks and labels in black. yMinor minor ticks per tenth of the
    // intensity axis when above 0, xMinor per tenth of the position axis when 1 or more.
    void DrawGrid1(PrinterPage &page, int16_t plotHeight, int16_t xMinor, int16_t yMinor) const;

private:
    double m_leftMargin;
    double m_rightMargin;
    double m_plotTop;
    double m_axisStart;
    double m_labelStep;
};

} // namespace lumetra
