#pragma once

#include "analysis/beam/BeamMeasurement.h"

#include <QString>

namespace lumetra {

// The warnings of a frame's beam measurement in the M² window's words, joined by "、"
// ("像素饱和、背景有结构"); empty for none.
QString beamWarningsText(const beam::BeamWarnings &warnings);

// The stripe correction of a frame in words: "无", "已校正拖尾（列）" or "已校正拖尾（行）".
QString stripeCorrectionText(beam::StripeCorrection stripes);

} // namespace lumetra
