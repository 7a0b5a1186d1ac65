#include "cli/M2Report.h"

#include <charconv>

namespace lumetra::cli {

namespace {

// The shortest text that reads back as the same double.
std::string number(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string csvText(const std::string &text)
{
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace

std::string causticFitCsv(const std::vector<AxisFit> &fits, double wavelengthNm)
{
    std::string out = "axis,wavelength_nm,d0_um,z0_mm,zr_mm,theta_mrad,m2,residual_rms_um,points,"
                      "points_within_zr,points_beyond_2zr,iso_valid,iso_note,warnings,error,d0_um_sd,z0_mm_sd,zr_mm_sd,"
                      "theta_mrad_sd,m2_sd\n";
    for (const AxisFit &a : fits) {
        out += a.key + ',' + number(wavelengthNm) + ',';
        if (!a.result.ok()) {
            out += ",,,,,,,,,,,," + csvText(a.result.error) + ",,,,,\n";
            continue;
        }
        const beam::CausticFit &f = *a.result.fit;
        std::string warnings;
        for (const beam::CausticWarning w : f.warnings) {
            if (!warnings.empty())
                warnings += ';';
            warnings += beam::causticWarningName(w);
        }
        out += number(f.d0Um) + ',' + number(f.z0Mm) + ',' + number(f.zrMm) + ',' + number(f.thetaMrad) + ',' +
               number(f.m2) + ',' + number(f.residualRmsUm) + ',' + std::to_string(f.points) + ',' +
               std::to_string(f.pointsWithinZr) + ',' + std::to_string(f.pointsBeyond2Zr) + ',' +
               (f.isoValid ? "true" : "false") + ',' + csvText(f.isoNote) + ',' + warnings + ",,";
        // The standard errors come last, so that the columns before keep their places; empty
        // where three points leave none.
        if (f.sd.known)
            out += number(f.sd.d0Um) + ',' + number(f.sd.z0Mm) + ',' + number(f.sd.zrMm) + ',' +
                   number(f.sd.thetaMrad) + ',' + number(f.sd.m2);
        else
            out += ",,,,";
        out += '\n';
    }
    return out;
}

} // namespace lumetra::cli
