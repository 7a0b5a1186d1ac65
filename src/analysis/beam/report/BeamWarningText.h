#pragma once

#include "analysis/beam/BeamWarnings.h"

#include <QString>
#include <QStringList>

// The warnings of a beam result in words, for the windows, the reports and the logs that people
// read (the result rows keep the names).
namespace lumetra::beam {

QString beamWarningText(BeamWarning warning);
// A few words, for a table cell: "像素饱和".
QString beamWarningShortText(BeamWarning warning);

// Every warning of the set in words, in the order of BeamWarning; `leaveOut` is left out (a window
// that says it on a line of its own).
QStringList beamWarningTexts(const BeamWarnings &warnings, const BeamWarnings &leaveOut = {});

} // namespace lumetra::beam
