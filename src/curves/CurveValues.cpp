#include "curves/CurveValues.h"

#include "platform/settings/Calibration.h"

#include "analysis/AnalysisState.h"

#include <QLocale>

#include <cmath>

namespace lumetra::CurveValues {

double positionAt(const AnalysisState &state, bool vertical, double pixel)
{
    if (!state.view.Enlarged)
        return pixel + state.view.AxisStart;
    const double step = vertical ? 1.25 : 1.5;
    return std::floor(pixel / step + 0.5) + state.view.AxisStart;
}

double clampedPositionAt(const AnalysisState &state, bool vertical, double pixel, int scaleLength)
{
    if (pixel >= scaleLength)
        return state.view.AxisEnd;
    return positionAt(state, vertical, pixel);
}

QString positionText(double position, double umPerPixel)
{
    QString text = shortestNumber(position);
    if (umPerPixel > 0)
        text += QStringLiteral(" · ") + formatLength(position * umPerPixel);
    return text;
}

float intensityAt(const AnalysisState &state, bool vertical, double pixel)
{
    if (vertical)
        return static_cast<float>(std::floor(pixel) / (state.view.Enlarged ? 4.0 : 2.0));
    if (state.view.Enlarged)
        return static_cast<float>(std::floor(400.0 - pixel) / 4.0);
    return static_cast<float>(std::floor(200.0 - pixel) / 2.0);
}

QString shortestNumber(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // also -0
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString pointCaption(double first, double second)
{
    return QLatin1Char('(') + shortestNumber(first) + QLatin1Char(',') + shortestNumber(second) +
           QLatin1Char(')');
}

} // namespace lumetra::CurveValues
