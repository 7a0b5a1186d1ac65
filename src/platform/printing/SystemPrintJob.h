#pragma once

#include "platform/printing/PainterPrinterPage.h"

#include <QString>

#include <memory>

class QPrinter;
class QPrinterInfo;

namespace lumetra {

// A page sent to a system printer (through the print system's queue).
class SystemPrintJob final : public PainterPrinterPage
{
public:
    // The open page, or nullptr with a one-line reason in `error`.
    static std::unique_ptr<SystemPrintJob> open(const QPrinterInfo &printer, const QString &reportName,
                                                QString &error);
    ~SystemPrintJob() override;


private:
    PrintOutcome deliver(bool painted) override;
    SystemPrintJob() = default;

    std::unique_ptr<QPrinter> m_printer;
    QString m_printerName;
};

} // namespace lumetra
