#pragma once

#include "analysis/beam/estimate/BeamWidths.h"
#include "beamview/BeamOverlay.h"
#include "beamview/BeamReportPicture.h"
#include "platform/settings/Calibration.h"
#include "platform/printing/PrintOutcome.h"

#include <QDateTime>
#include <QString>

namespace lumetra {

class PrinterService;

// What the report of one beam measurement shows.
struct BeamReportContent
{
    QString fileName;   // the measured file, or "采集帧"
    QString frameText;  // "640 × 480，8 位"
    QString darkText;   // the dark frame used, or that none was
    QString camera;     // the camera and its settings for a live frame; empty for a file
    QDateTime when;     // the time of the report
    QDateTime measuredAt;
    Calibration calibration;
    double maskDiameters = 3;
    beam::BeamResult result;
    const beam::BeamWidths *widths = nullptr;
    BeamPicture picture;
    OverlayShapes marks;
    FalseColourChoice colour; // the picture's false colour, contours and marked pixels, as on screen
};

// One A4 page: the title with the date and the program, the file, frame, calibration, dark
// frame, stripe correction and camera; the picture with its marks beside the two principal-axis
// profiles with the fitted Gaussian; every D4σ figure and every width and shape figure in pixels
// and µm; the warnings and a line on the methods. Sent to `printer` as the job
// "光束测量报告 <file>".
PrintOutcome printBeamReport(PrinterService &printer, const BeamReportContent &content);

} // namespace lumetra
