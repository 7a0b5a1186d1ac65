#include "platform/printing/SystemPrintJob.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QPrinterInfo>

namespace lumetra {

SystemPrintJob::~SystemPrintJob()
{
    // An unfinished page is withdrawn rather than sent half drawn.
    if (painting()) {
        m_printer->abort();
        endPainting();
    }
}

std::unique_ptr<SystemPrintJob> SystemPrintJob::open(const QPrinterInfo &printer, const QString &reportName,
                                                     QString &error)
{
    std::unique_ptr<SystemPrintJob> job(new SystemPrintJob);
    job->m_printerName = printer.printerName();
    job->m_printer = std::make_unique<QPrinter>(printer, QPrinter::HighResolution);
    job->m_printer->setOutputFormat(QPrinter::NativeFormat);
    job->m_printer->setDocName(reportName);
    job->m_printer->setCreator(QStringLiteral("Lumetra"));
    if (!job->m_printer->isValid() || !job->beginPainting(*job->m_printer)) {
        error =
            QCoreApplication::translate("SystemPrintJob", "打印机“%1”无法开始打印").arg(job->m_printerName);
        return nullptr;
    }
    return job;
}

PrintOutcome SystemPrintJob::deliver(bool painted)
{
    if (!painted || m_printer->printerState() == QPrinter::Error ||
        m_printer->printerState() == QPrinter::Aborted)
        return PrintOutcome::failed(
            QCoreApplication::translate("SystemPrintJob", "打印机“%1”没有接受这一页").arg(m_printerName));
    return PrintOutcome::printed(m_printerName);
}

} // namespace lumetra
