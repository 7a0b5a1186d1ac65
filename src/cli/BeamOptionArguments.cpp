#include "cli/BeamOptionArguments.h"

#include "cli/CliCommand.h"

#include <cmath>

namespace lumetra::cli {

double numberOption(const QString &option, const QString &text, double low, double high, bool lowIncluded)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v) || v > high || v < low || (!lowIncluded && v == low))
        throw CliError(QStringLiteral("%1 needs a number %2 %3..%4, not '%5'")
                           .arg(option, lowIncluded ? QStringLiteral("in") : QStringLiteral("above"))
                           .arg(low)
                           .arg(high)
                           .arg(text));
    return v;
}

bool takeBeamOption(const QString &option, const QString &value, beam::BeamOptions &options)
{
    if (option == QLatin1String("--corner-fraction"))
        options.cornerFraction = numberOption(option, value, 0, 0.5, false);
    else if (option == QLatin1String("--noise-factor"))
        options.noiseFactor = numberOption(option, value, 0, 100);
    else if (option == QLatin1String("--mask-diameters"))
        options.maskDiameters = numberOption(option, value, 0, 100, false);
    else if (option == QLatin1String("--method"))
        options.method = secondOf(option, value, "robust", "iso") ? beam::BeamMethod::Iso : beam::BeamMethod::Robust;
    else if (option == QLatin1String("--stripes"))
        options.correctStripes = !secondOf(option, value, "auto", "off");
    else
        return false;
    return true;
}

} // namespace lumetra::cli
