#pragma once

#include "platform/printing/PrintOutcome.h"
#include "platform/printing/PrinterPage.h"

#include <QImage>
#include <QString>

#include <memory>

namespace lumetra {

// The printer the reports print on: each report is one job of one page. The program uses
// SystemPrinterService (the default printer, or a PDF file when the system has none); tests use
// ScriptedPrinter, which writes the PDF into a folder of their choosing.
class PrinterService
{
public:
    // Screen pixels are printed at this size when a window prints its client area (96 per inch).
    static constexpr double TwipsPerScreenPixel = 15;

    virtual ~PrinterService() = default;

    // Starts a job for the named report and returns its page, or nullptr with the reason in
    // `failure` (a failed outcome). The report name names the job and any file written for it.
    virtual std::unique_ptr<PrinterPage> beginDocument(const QString &reportName, PrintOutcome &failure) = 0;

    // A window printing its client area as one page: the image at screen size from the top-left
    // of the printable area, shrunk (keeping its proportions) when it does not fit.
    PrintOutcome printImage(const QString &reportName, const QImage &image);
};

} // namespace lumetra
