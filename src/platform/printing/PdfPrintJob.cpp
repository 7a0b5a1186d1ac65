#include "platform/printing/PdfPrintJob.h"

#include "platform/printing/PdfUnicodeMap.h"
#include "platform/system/DurableWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <unistd.h>

namespace lumetra {

namespace {
constexpr int Resolution = 1200; // dots per inch of the PDF's drawing
constexpr int MaxAttempts = 999;

// Report names are titles; keep them readable but free of characters file systems refuse.
QString safeName(const QString &reportName)
{
    QString name = reportName;
    for (QChar &c : name)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = QLatin1Char('_');
    name = name.trimmed();
    return name.isEmpty() ? QCoreApplication::translate("PdfPrintJob", "报告") : name;
}
} // namespace

QString PdfPrintJob::fileName(const QString &reportName, const QDateTime &time, int attempt)
{
    QString name =
        safeName(reportName) + QLatin1Char(' ') + time.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    if (attempt > 1)
        name += QStringLiteral(" (%1)").arg(attempt);
    return name + QStringLiteral(".pdf");
}

PdfPrintJob::PdfPrintJob(const QString &directory, const QString &reportName, const QDateTime &time)
    : m_directory(directory), m_reportName(reportName), m_time(time)
{
}

PdfPrintJob::~PdfPrintJob()
{
    // An unfinished page is abandoned: the painter stops and the temporary file goes away.
    if (painting())
        endPainting();
}

std::unique_ptr<PdfPrintJob> PdfPrintJob::open(const QString &directory, const QString &reportName,
                                               const QDateTime &time, QString &error)
{
    const QString shown = QDir::toNativeSeparators(directory);
    if (!QFileInfo(directory).isDir()) {
        error = QCoreApplication::translate("PdfPrintJob", "文件夹 %1 不存在").arg(shown);
        return nullptr;
    }
    std::unique_ptr<PdfPrintJob> job(new PdfPrintJob(directory, reportName, time));
    job->m_file = std::make_unique<QTemporaryFile>(
        QDir(directory).filePath(QStringLiteral(".lumetra-print-XXXXXX.part")));
    if (!job->m_file->open()) {
        error = QCoreApplication::translate("PdfPrintJob", "无法在文件夹 %1 中写入文件：%2")
                    .arg(shown, job->m_file->errorString());
        return nullptr;
    }
    job->m_temporaryPath = job->m_file->fileName();
    job->m_writer = std::make_unique<QPdfWriter>(job->m_file.get());
    job->m_writer->setResolution(Resolution);
    job->m_writer->setTitle(reportName);
    job->m_writer->setCreator(QStringLiteral("Lumetra"));
    job->m_writer->setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(MarginMillimetres, MarginMillimetres, MarginMillimetres, MarginMillimetres),
                    QPageLayout::Millimeter));
    if (!job->beginPainting(*job->m_writer)) {
        error = QCoreApplication::translate("PdfPrintJob", "无法开始 PDF 页面");
        return nullptr;
    }
    return job;
}

PrintOutcome PdfPrintJob::deliver(bool painted)
{
    m_writer.reset();
    if (!painted)
        return PrintOutcome::failed(QCoreApplication::translate("PdfPrintJob", "无法生成 PDF 页面"));
    // Text copied from the page reads as drawn: the CJK faces' shared glyphs are named by their
    // ideographs, not by the radicals that share them (the map keeps its length).
    if (m_file->seek(0)) {
        QByteArray pdf = m_file->readAll();
        if (mapRadicalsToIdeographs(pdf) > 0 && m_file->seek(0))
            m_file->write(pdf);
    }
    // The page reaches the disk before it gets its name.
    if (!m_file->flush() || m_file->error() != QFileDevice::NoError || ::fsync(m_file->handle()) != 0)
        return PrintOutcome::failed(QCoreApplication::translate("PdfPrintJob", "无法写入文件夹 %1：%2")
                                        .arg(QDir::toNativeSeparators(m_directory), m_file->errorString()));
    m_file->close();
    return moveIntoPlace();
}

PrintOutcome PdfPrintJob::moveIntoPlace()
{
    const QDir dir(m_directory);
    for (int attempt = 1; attempt <= MaxAttempts; ++attempt) {
        const QString target = dir.filePath(fileName(m_reportName, m_time, attempt));
        if (QFileInfo::exists(target))
            continue;
        // QFile::rename never replaces an existing file; a name taken in the meantime is skipped.
        if (QFile::rename(m_temporaryPath, target)) {
            m_file->setAutoRemove(false);
            syncDirectoryOf(target);
            return PrintOutcome::savedToFile(target);
        }
        if (!QFileInfo::exists(target))
            return PrintOutcome::failed(
                QCoreApplication::translate("PdfPrintJob", "无法在文件夹 %1 中保存报告")
                    .arg(QDir::toNativeSeparators(m_directory)));
    }
    return PrintOutcome::failed(QCoreApplication::translate("PdfPrintJob", "文件夹 %1 中同名的报告太多")
                                    .arg(QDir::toNativeSeparators(m_directory)));
}

} // namespace lumetra
