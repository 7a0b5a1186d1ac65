#include "platform/printing/SystemPrinterService.h"

#include "platform/printing/PdfPrintJob.h"
#include "platform/printing/SystemPrintJob.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace lumetra {

SystemPrinterService::SystemPrinterService(const QString &pdfDirectory)
    : m_pdfDirectory(pdfDirectory.isEmpty() ? documentsDirectory() : pdfDirectory)
{
}

QString SystemPrinterService::documentsDirectory()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return dir.isEmpty() ? QDir::homePath() : dir;
}

std::unique_ptr<PrinterPage> SystemPrinterService::beginDocument(const QString &reportName,
                                                                 PrintOutcome &failure)
{
    QString error;
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) {
        if (auto job = SystemPrintJob::open(printer, reportName, error))
            return job;
        failure = PrintOutcome::failed(error);
        return nullptr;
    }
    // No printer: the page becomes a file in the documents folder, created if need be.
    if (!QDir().mkpath(m_pdfDirectory)) {
        failure =
            PrintOutcome::failed(QCoreApplication::translate("SystemPrinterService", "无法建立文件夹 %1")
                                     .arg(QDir::toNativeSeparators(m_pdfDirectory)));
        return nullptr;
    }
    if (auto job = PdfPrintJob::open(m_pdfDirectory, reportName, QDateTime::currentDateTime(), error))
        return job;
    failure = PrintOutcome::failed(error);
    return nullptr;
}

} // namespace lumetra
