#pragma once

#include "platform/printing/PainterPrinterPage.h"

#include <QDateTime>
#include <QString>

#include <memory>

class QPdfWriter;
class QTemporaryFile;

namespace lumetra {

// A page written as a one-page PDF file into a folder, named after the report and the time of
// printing ("水平原始曲线 2024-05-01 14-30-05.pdf", then " (2)", " (3)"... when that name is
// taken). The page is written to a hidden temporary file first and renamed only when complete,
// so a failed job leaves no file and an existing file is never overwritten.
class PdfPrintJob final : public PainterPrinterPage
{
public:
    // A4 portrait with a quarter-inch printable margin all round, as a printer would have.
    static constexpr double MarginMillimetres = 6.35;

    // The open page, or nullptr with a one-line reason in `error`.
    static std::unique_ptr<PdfPrintJob> open(const QString &directory, const QString &reportName,
                                             const QDateTime &time, QString &error);
    // The file name for a report, without folder; attempt 1 is the plain name.
    static QString fileName(const QString &reportName, const QDateTime &time, int attempt = 1);

    ~PdfPrintJob() override;


private:
    PrintOutcome deliver(bool painted) override;
    PdfPrintJob(const QString &directory, const QString &reportName, const QDateTime &time);
    PrintOutcome moveIntoPlace();

    QString m_directory;
    QString m_reportName;
    QDateTime m_time;
    std::unique_ptr<QTemporaryFile> m_file;
    QString m_temporaryPath;
    std::unique_ptr<QPdfWriter> m_writer;
};

} // namespace lumetra
