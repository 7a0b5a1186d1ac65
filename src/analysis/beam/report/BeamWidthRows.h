#pragma once

#include "analysis/beam/estimate/BeamWidths.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

// The fields the widths and shape figures add to a measured frame's row (lumetra-cli beam
// --widths all): d86, knife_*, clip_*, fwhm_*, gauss_*, iso_*; with a pixel size also the
// widths in µm (*_um) and the effective area in µm² (iso_effective_area_um2).
namespace lumetra::beam {

// The field names in output order.
std::vector<std::string> widthRowFields(bool withPixelSize);

// Sets every width field of `row`: from `widths` where it has the figure, else null.
void setWidthFields(nlohmann::json &row, const BeamWidths *widths, std::optional<double> pixelSizeUm);

} // namespace lumetra::beam
