#pragma once

#include "platform/printing/PrinterService.h"

#include <QString>

namespace lumetra {

// The program's printer: the system's default printer when there is one; otherwise every page
// is written as a PDF file into a folder (the user's documents folder unless another is given)
// and the outcome says where.
class SystemPrinterService : public PrinterService
{
public:
    explicit SystemPrinterService(const QString &pdfDirectory = QString());

    std::unique_ptr<PrinterPage> beginDocument(const QString &reportName, PrintOutcome &failure) override;

    QString pdfDirectory() const { return m_pdfDirectory; }
    static QString documentsDirectory();

private:
    QString m_pdfDirectory;
};

} // namespace lumetra
