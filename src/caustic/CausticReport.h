#pragma once

#include "caustic/CausticAxisResult.h"
#include "platform/printing/PrintOutcome.h"

#include <QDateTime>
#include <QString>

#include <vector>

namespace lumetra {

class CausticFrameModel;
class PrinterService;

// What the report of an M² measurement shows.
struct CausticReportContent
{
    QDateTime when;
    double pixelSizeUm = 0;
    bool principalAxes = false;
    const CausticFrameModel *frames = nullptr;
    beam::CausticSeries series;
    std::vector<CausticAxisResult> results;
    QString note; // the window's note (frames without a z), empty for none
};

// One A4 page: the title with the date and the program; wavelength, pixel size, axes, frames,
// dark frame and how many frames had stripes corrected; the caustic chart; the fit of every axis
// with its standard errors and the ISO 11146-1 check, fits that failed and the window's note; the
// frame table with each frame's stripe correction and warnings (as many rows as the page holds,
// then how many were left out). Sent to `printer` as the job "M² 焦散测量报告".
PrintOutcome printCausticReport(PrinterService &printer, const CausticReportContent &content);

} // namespace lumetra
