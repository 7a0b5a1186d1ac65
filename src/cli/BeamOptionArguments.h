#pragma once

#include "analysis/beam/BeamMeasurement.h"

#include <QString>

// The command line's numbers and the beam measurement's own options, shared by the commands
// that measure beams.
namespace lumetra::cli {

// `text` as a number in [low, high] (above low when lowIncluded is false); else the operator's
// error naming the option.
double numberOption(const QString &option, const QString &text, double low, double high, bool lowIncluded = true);

// --corner-fraction, --noise-factor, --mask-diameters, --method and --stripes: whether `option`
// is one of them; its value is then checked and set in `options`.
bool takeBeamOption(const QString &option, const QString &value, beam::BeamOptions &options);

} // namespace lumetra::cli
