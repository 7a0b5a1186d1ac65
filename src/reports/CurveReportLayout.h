#pragma once

#include "analysis/AnalysisState.h"
#include "analysis/curves/IntensityPercents.h"

#include <QString>

#include <optional>
#include <vector>

namespace lumetra {

class PrinterPage;

// The page of a curve report, laid out in twips: a title, the intensity axis (0 to 100 %) against
// the position axis of the cut, the curve in black, and for the analysed report the marked points
// as crosses with a list of their values underneath. Horizontal cuts plot the 640 columns of the
// cut row, vertical cuts the 480 rows of the cut column. What is drawn is read from the shared
// state when the page is drawn; the display mode is the one the curve window shows (none when
// neither of its mode buttons is the disabled one).
class CurveReportLayout
{
public:
    enum class Orientation { Horizontal, Vertical };

    static constexpr double RightMargin = 1380; // end of the position axis from the right edge
    static constexpr double TopMargin = 1000;   // y of the title
    static constexpr double LeftMargin = 500;   // left end of the intensity axis' major ticks
    static constexpr int16_t TitleGap = 800;    // between the title and the plot
    static constexpr int16_t PlotHeight = 4000; // from 100 % down to 0 %
    static constexpr double CrossArm = 70;      // half the size of a mark's cross
    static constexpr int16_t MinorTicksX = 8;   // minor ticks between two labels, position axis
    static constexpr int16_t MinorTicksY = 4;   // and intensity axis
    static constexpr double TitleFontSize = 18; // points
    static constexpr double ListFontSize = 12;  // the list of marked points
    static constexpr double FooterFontSize = 9;
    static constexpr double FooterBottomMargin = 400; // from the foot of the page to the footer
    static constexpr int MaxMarks = 11;

    CurveReportLayout(const AnalysisState &state, Orientation orientation, std::optional<DisplayMode> mode,
                      bool analysed);

    // "水平原始曲线", "水平分析曲线", "垂直原始曲线" or "垂直分析曲线".
    QString title() const;
    // The title with the mode suffix the page carries: "(面)", "(线)" or none.
    QString reportName() const;

    // The line at the foot of the page: the picture's file name, the cut, the integration width
    // and the date, e.g. "图片：spot.bmp　切线：第 192 行　积分宽度：5　日期：2024-05-01".
    QString footer() const;

    // Draws the whole page (the caller ends the document). The page's font size is the same
    // afterwards as before.
    void draw(PrinterPage &page);

    // Where the plot went on the last page drawn: the y of its top (100 %) and the twips per
    // picture pixel along the position axis.
    double plotTop() const { return m_plotTop; }
    double xScale() const { return m_xScale; }

private:
    int samples() const;
    int lastJoined() const;
    bool cutInPicture() const;
    std::vector<double> rawValues() const;
    std::vector<double> profileValues() const;
    int markCount() const;
    const MarkTable &markValues() const;
    double plotY(double value, double low, double high) const;
    void plotCurve(PrinterPage &page, const std::vector<double> &values, double low, double high) const;
    void drawMarkCrosses(PrinterPage &page) const;
    void printMarkList(PrinterPage &page) const;
    void drawGrid(PrinterPage &page) const;
    void printFooter(PrinterPage &page) const;

    const AnalysisState &m_state;
    Orientation m_orientation;
    std::optional<DisplayMode> m_mode;
    bool m_analysed;
    double m_plotTop = 0;
    double m_xScale = 0;
};

} // namespace lumetra
