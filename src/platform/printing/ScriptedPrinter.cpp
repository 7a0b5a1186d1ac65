#include "platform/printing/ScriptedPrinter.h"

#include "platform/printing/PdfPrintJob.h"

namespace lumetra {

ScriptedPrinter::ScriptedPrinter(const QString &directory_)
    : directory(directory_), time(QDate(2024, 5, 1), QTime(9, 30, 0))
{
}

std::unique_ptr<PrinterPage> ScriptedPrinter::beginDocument(const QString &reportName, PrintOutcome &failure)
{
    requestedReports.append(reportName);
    if (refuseWith) {
        failure = PrintOutcome::failed(*refuseWith);
        return nullptr;
    }
    QString error;
    if (auto job = PdfPrintJob::open(directory, reportName, time, error))
        return job;
    failure = PrintOutcome::failed(error);
    return nullptr;
}

} // namespace lumetra
