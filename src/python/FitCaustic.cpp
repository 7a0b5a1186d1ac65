#include "python/ModuleFunctions.h"

#include "python/JsonToPython.h"

#include "analysis/caustic/CausticReport.h"
#include "analysis/caustic/Wavelength.h"

#include <stdexcept>

namespace py = pybind11;

namespace lumetra::python {

namespace {

beam::CausticAxis axisOf(const char *label, const char *name, const std::vector<double> &zMm,
                         const std::vector<double> &dUm)
{
    if (dUm.size() != zMm.size())
        throw std::invalid_argument("z_mm has " + std::to_string(zMm.size()) + " values and " + name + " " +
                                    std::to_string(dUm.size()) + ": give one diameter for each position");
    beam::CausticAxis axis{QString::fromLatin1(label), {}};
    for (std::size_t i = 0; i < zMm.size(); ++i)
        axis.points.push_back({zMm[i], dUm[i]});
    return axis;
}

} // namespace

py::dict fitCaustic(const std::vector<double> &zMm, const std::vector<double> &dUm, double wavelengthNm,
                    const std::optional<std::vector<double>> &dyUm)
{
    if (const std::optional<std::string> wrong = beam::wavelengthRangeError(wavelengthNm))
        throw std::invalid_argument("wavelength_nm: " + *wrong);
    beam::CausticSeries series;
    series.wavelengthNm = wavelengthNm;
    series.axes.push_back(axisOf("x", "d_um", zMm, dUm));
    if (dyUm)
        series.axes.push_back(axisOf("y", "dy_um", zMm, *dyUm));
    // As lumetra-cli m2: an axis that cannot be fitted is reported as {"error": ...} beside the
    // others; when none can be, that is an error.
    const std::vector<beam::AxisFit> fits = beam::fitCausticAxes(series);
    const std::vector<std::string> failures = beam::causticFailures(fits);
    if (failures.size() == fits.size()) {
        std::string all;
        for (const std::string &f : failures)
            all += (all.empty() ? "" : "; ") + f;
        throw std::invalid_argument(all);
    }
    return toPython(beam::causticReportJson(wavelengthNm, fits));
}

} // namespace lumetra::python
