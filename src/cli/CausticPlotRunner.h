#pragma once

#include "analysis/caustic/CausticSeries.h"

#include <QString>

namespace lumetra::cli {

// Draws the caustic into outPath (.png, .svg or .pdf) with the lumetra-caustic-plot program that
// is installed beside lumetra-cli: the plot needs the chart library and its widgets, which this
// headless tool does not load. Throws CliError with the plotter's one-line reason on failure.
void plotCaustic(const beam::CausticSeries &series, const QString &outPath);

// The suffixes --plot accepts.
bool isPlotSuffix(const QString &path);

} // namespace lumetra::cli
