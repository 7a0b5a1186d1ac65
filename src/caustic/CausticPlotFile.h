#pragma once

#include "analysis/caustic/CausticSeries.h"

#include <QSize>
#include <QString>

namespace lumetra {

// Renders the caustic chart of a series into a file: PNG, SVG or PDF by the path's suffix. The
// file is replaced only by a completely written one. Returns false with a one-line reason in
// error. Needs a QApplication (the chart library draws with widgets' styles).
bool saveCausticPlot(const beam::CausticSeries &series, const QString &path, QString *error,
                     QSize size = QSize(1000, 650));

} // namespace lumetra
