#pragma once

#include "analysis/beam/CausticSeries.h"

#include <QString>

#include <vector>

namespace lumetra {

// The fit of one axis of a caustic as the window and its chart show it.
struct CausticAxisResult
{
    QString name; // shown name: "x", "y", "长轴", "短轴"
    beam::CausticFitResult fit;
};

std::vector<CausticAxisResult> fitCausticAxes(const beam::CausticSeries &series);

// The name an axis label is shown with: "major" and "minor" in Chinese, others as they are.
QString causticAxisName(const QString &label);

// The ISO 11146-1 point-distribution check in words: "符合 ISO 11146-1" or what is missing.
QString isoCheckText(const beam::CausticFit &fit);

} // namespace lumetra
