#include "python/MeasureOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <stdexcept>

namespace lumetra::python {

namespace {

std::string numberText(double v)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    return std::string(buffer, end);
}

// The same ranges and wording as lumetra-cli beam's options.
double checkedNumber(const char *name, double v, double low, double high, bool lowIncluded)
{
    if (!std::isfinite(v) || v > high || v < low || (!lowIncluded && v == low))
        throw std::invalid_argument(std::string(name) + " needs a number " +
                                    (lowIncluded ? "in " : "above ") + numberText(low) + ".." +
                                    numberText(high) + ", not " + numberText(v));
    return v;
}

// One of the values this build measures with; the message names them all.
void checkChoice(const char *name, const std::string &value, std::initializer_list<const char *> supported)
{
    if (std::find(supported.begin(), supported.end(), value) != supported.end())
        return;
    std::string names;
    for (const char *s : supported)
        names += (names.empty() ? "'" : ", '") + std::string(s) + "'";
    throw std::invalid_argument(std::string(name) + " must be " + (supported.size() > 1 ? "one of " : "") +
                                names + ", not '" + value + "'");
}

} // namespace

MeasureOptions measureOptions(const OptionArgs &args)
{
    MeasureOptions out;
    // The same choices as lumetra-cli beam's --method, --stripes and --widths.
    checkChoice("method", args.method, {"robust", "iso"});
    checkChoice("stripes", args.stripes, {"auto", "off"});
    checkChoice("widths", args.widths, {"d4s", "all"});
    out.beam.method = args.method == "iso" ? beam::BeamMethod::Iso : beam::BeamMethod::Robust;
    out.beam.correctStripes = args.stripes == "auto";
    out.widths = args.widths == "all";
    out.beam.cornerFraction = checkedNumber("corner_fraction", args.cornerFraction, 0, 0.5, false);
    out.beam.noiseFactor = checkedNumber("noise_factor", args.noiseFactor, 0, 100, true);
    out.beam.maskDiameters = checkedNumber("mask_diameters", args.maskDiameters, 0, 100, false);
    if (args.pixelSizeUm)
        out.pixelSizeUm = checkedNumber("pixel_size_um", *args.pixelSizeUm, 0, 1e6, false);
    return out;
}

} // namespace lumetra::python
