#pragma once

#include "analysis/beam/BeamMeasurement.h"

#include <optional>
#include <string>

namespace lumetra::python {

// The keyword options of measure_beam and measure_files as Python hands them over.
struct OptionArgs
{
    std::string method = "robust";
    std::string stripes = "auto";
    std::string widths = "d4s";
    double cornerFraction = beam::BeamOptions{}.cornerFraction;
    double noiseFactor = beam::BeamOptions{}.noiseFactor;
    double maskDiameters = beam::BeamOptions{}.maskDiameters;
    std::optional<double> pixelSizeUm;
};

struct MeasureOptions
{
    beam::BeamOptions beam;
    std::optional<double> pixelSizeUm;
    bool widths = false; // widths="all": the widths and shape figures beyond D4sigma too
};

// The core's options from the keywords, each checked against the range lumetra-cli beam
// accepts. Throws std::invalid_argument naming the keyword and what it takes (ValueError in
// Python). Every option of the measurement is translated here and nowhere else.
MeasureOptions measureOptions(const OptionArgs &args);

} // namespace lumetra::python
