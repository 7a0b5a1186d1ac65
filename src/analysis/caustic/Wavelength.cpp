#include "analysis/caustic/Wavelength.h"

#include <charconv>
#include <cmath>

namespace lumetra::beam {

namespace {

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// The shortest text of a number as it was meant ("1.064", "1.064e-06").
std::string shortNumber(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

std::optional<std::string> wavelengthRangeError(double wavelengthNm)
{
    if (std::isfinite(wavelengthNm) && wavelengthNm >= MinimumWavelengthNm && wavelengthNm <= MaximumWavelengthNm)
        return std::nullopt;
    if (!std::isfinite(wavelengthNm))
        return std::string("the wavelength is in nanometres and must be a finite number within 150 .. 20000 nm");
    return "the wavelength is in nanometres and must lie within 150 .. 20000 nm, not " + shortNumber(wavelengthNm) +
           " nm";
}

WavelengthParse parseWavelength(std::string_view text)
{
    WavelengthParse parsed;
    const std::string_view trimmed = trimBlanks(text);
    double value = 0;
    const auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (ec != std::errc() || end == trimmed.data()) {
        parsed.error = "wavelength '" + std::string(text) + "' does not start with a number";
        return parsed;
    }
    const std::string_view unit = trimBlanks(trimmed.substr(std::size_t(end - trimmed.data())));
    double factor = 0;
    if (unit.empty() || equalsIgnoringCase(unit, "nm"))
        factor = 1;
    else if (equalsIgnoringCase(unit, "um") || unit == "\xC2\xB5m" || unit == "\xCE\xBCm")
        factor = 1000;
    if (factor == 0) {
        parsed.error = "unknown wavelength unit '" + std::string(unit) + "' in '" + std::string(text) +
                       "' (give nm or um, e.g. 633nm or 1.064um)";
        return parsed;
    }
    if (!std::isfinite(value) || value <= 0) {
        parsed.error = "wavelength '" + std::string(text) + "' must be positive";
        return parsed;
    }
    if (const std::optional<std::string> wrong = wavelengthRangeError(value * factor)) {
        parsed.error = "wavelength '" + std::string(text) + "': " + *wrong + " (e.g. 1064, 1064nm or 1.064um)";
        return parsed;
    }
    parsed.nm = value * factor;
    return parsed;
}

} // namespace lumetra::beam
