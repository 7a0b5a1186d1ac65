#pragma once

#include "analysis/beam/estimate/BeamWidths.h"
#include "beamview/BeamReadout.h"
#include "platform/settings/Calibration.h"

#include <QString>

#include <vector>

namespace lumetra {

// One figure of the widths section as text: its caption, the value in pixels (or without unit)
// and, for lengths and areas once calibrated, in µm. "—" for a figure that does not exist.
struct WidthLine
{
    QString key;     // "d86", "knifeX", ..., "isoSteepness"
    QString caption; // "D86", "刀口 x", ...
    QString pixels;
    QString microns; // empty for figures without a length
};

// Every figure of the widths section in the order it is shown (widths null: all "—").
std::vector<WidthLine> widthLines(const beam::BeamWidths *widths, const Calibration &calibration);

// The widths section as columns for the beam window's copy and log, after beamReadout's: every
// figure as a plain number under a name with its unit ("D86(px)", "D86(µm)", "有效辐照面积(px²)",
// "高斯角度(°)"); the µm columns are empty when uncalibrated, every column empty for a figure
// that does not exist.
BeamReadout widthsReadout(const beam::BeamWidths *widths, const Calibration &calibration);

// An area for display: "1234 µm²", or "1.234 mm²" from 10⁶ µm² on.
QString formatArea(double um2);

} // namespace lumetra
