#pragma once

#include "analysis/caustic/CausticSeries.h"

#include <QString>
#include <QStringList>

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

// Why an axis could not be fitted, in the window's words.
QString causticFailureText(const beam::CausticFitResult &result);
// A fitted figure with its 1 sigma standard error, "1.31 ± 0.04": the error to one significant
// digit (two when it starts with 1) and the figure to the same place; the figure alone, to
// `decimals`, when the error is not known.
QString figureWithError(double value, double sd, bool known, int decimals);

// What makes a fit physically doubtful, one sentence per warning ("M² < 1 不符合物理规律：…").
QStringList causticWarningTexts(const beam::CausticFit &fit);

} // namespace lumetra
