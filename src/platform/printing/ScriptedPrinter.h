#pragma once

#include "platform/printing/PrinterService.h"

#include <QDateTime>
#include <QStringList>

#include <optional>

namespace lumetra {

// The printer of tests: no system printer is consulted; every page is written as a PDF file into
// the folder given, stamped with a fixed time so that file names are known in advance.
class ScriptedPrinter : public PrinterService
{
public:
    explicit ScriptedPrinter(const QString &directory);

    QString directory;
    QDateTime time;
    // When set, every job is refused at its start with this reason, as a printer that cannot be
    // opened would refuse it.
    std::optional<QString> refuseWith;
    // The report name of every job asked for, refused or not.
    QStringList requestedReports;

    std::unique_ptr<PrinterPage> beginDocument(const QString &reportName, PrintOutcome &failure) override;
};

} // namespace lumetra
