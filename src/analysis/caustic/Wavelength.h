#pragma once

#include <string>
#include <string_view>

namespace lumetra::beam {

struct WavelengthParse
{
    double nm = 0;
    std::string error; // empty when the text was understood

    bool ok() const { return error.empty(); }
};

// A wavelength as typed: a bare number is in nanometres ("633"), otherwise the number carries
// its unit, "nm" or micrometres as "um", "µm" or "μm" ("633nm", "1.064um", "1.064 µm").
// Any other unit, a missing number or a value that is not positive is refused with a sentence.
WavelengthParse parseWavelength(std::string_view text);

} // namespace lumetra::beam
