#pragma once

#include "analysis/beam/BeamBatch.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

// One measured frame as a JSON object or a CSV line, shared by the commands that report beam
// measurements. Absent values (a frame without a beam, an unreadable file, no pixel size) are
// null in JSON and empty in CSV.
namespace lumetra::beam {

// The field names in output order; the *_um fields and pixel_size_um only with a pixel size,
// the widths and shape figures (BeamWidthRows) after them only withWidths; "method",
// "stripe_correction" and "warnings" (a list of names; in CSV joined by ';') last.
std::vector<std::string> beamRowFields(bool withPixelSize, bool withWidths = false);

nlohmann::json beamRowJson(const BeamFileResult &r, std::optional<double> pixelSizeUm, bool withWidths = false);

// The row with its fields in output order, for printing.
nlohmann::ordered_json beamRowOrdered(const nlohmann::json &row);

// The header line and one line of a row, comma separated, no line end.
std::string beamCsvHeader(bool withPixelSize, bool withWidths = false);
std::string beamCsvLine(const nlohmann::json &row, bool withPixelSize, bool withWidths = false);

} // namespace lumetra::beam
