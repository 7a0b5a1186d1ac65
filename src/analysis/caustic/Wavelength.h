#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumetra::beam {

struct WavelengthParse
{
    double nm = 0;
    std::string error; // empty when the text was understood

    bool ok() const { return error.empty(); }
};

// The wavelengths a beam is measured at: from the deep ultraviolet to the far infrared. A number
// outside is a wavelength in another unit (1.064 meant as um, 1064e-9 as m).
constexpr double MinimumWavelengthNm = 150;
constexpr double MaximumWavelengthNm = 20000;

// One sentence when wavelengthNm is not a number of nanometres within 150 nm .. 20 um.
std::optional<std::string> wavelengthRangeError(double wavelengthNm);

// A wavelength as typed: a bare number is in nanometres ("633"), otherwise the number carries
// its unit, "nm" or micrometres as "um", "µm" or "μm" ("633nm", "1.064um", "1.064 µm").
// Any other unit, a missing number or a value outside 150 nm .. 20 um is refused with a sentence.
WavelengthParse parseWavelength(std::string_view text);

} // namespace lumetra::beam
