#pragma once

#include <QString>

namespace lumetra {

// What became of one print job: sent to a printer, written to a PDF file because the system has
// no printer, or failed (then nothing was sent and no file is left behind).
struct PrintOutcome
{
    enum class Result { Printed, SavedToFile, Failed };

    Result result = Result::Failed;
    QString printerName; // Printed: the printer that accepted the page
    QString filePath;    // SavedToFile: where the page went
    QString error;       // Failed: why, in one line

    static PrintOutcome printed(const QString &printer) { return {Result::Printed, printer, {}, {}}; }
    static PrintOutcome savedToFile(const QString &path) { return {Result::SavedToFile, {}, path, {}}; }
    static PrintOutcome failed(const QString &reason) { return {Result::Failed, {}, {}, reason}; }

    bool delivered() const { return result != Result::Failed; }
    // One line for the operator: where the page went, or why it did not go. Empty for a page
    // that a printer accepted (the report's own status text says so).
    QString note() const;
};

} // namespace lumetra
