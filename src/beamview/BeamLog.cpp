#include "beamview/BeamLog.h"
#include "platform/system/DurableWrite.h"

#include "platform/workbook/WorkbookService.h"
#include "types/WorkbookSheet.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

namespace lumetra {

QString csvLine(const QStringList &fields)
{
    QStringList quoted;
    for (QString f : fields) {
        if (f.contains(u',') || f.contains(u'"') || f.contains(u'\n') || f.contains(u'\r'))
            f = u'"' + f.replace(u'"', QStringLiteral("\"\"")) + u'"';
        quoted << f;
    }
    return quoted.join(u',');
}

bool BeamLog::isWorkbook() const
{
    return m_path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive);
}

void BeamLog::setTarget(const QString &path)
{
    m_path = path;
    m_rows.clear();
}

bool BeamLog::append(const QStringList &header, const QStringList &row, WorkbookService *workbook, QString *error)
{
    if (!hasTarget()) {
        if (error)
            *error = QCoreApplication::translate("BeamLog", "未选择记录文件");
        return false;
    }
    if (!isWorkbook())
        return appendCsv(header, row, error);
    m_rows.push_back(row);
    if (writeWorkbook(header, workbook, error))
        return true;
    m_rows.pop_back();
    return false;
}

bool BeamLog::appendCsv(const QStringList &header, const QStringList &row, QString *error)
{
    QByteArray contents;
    QFile existing(m_path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) {
            if (error)
                *error = QCoreApplication::translate("BeamLog", "无法读取 %1：%2")
                             .arg(m_path, existing.errorString());
            return false;
        }
        contents = existing.readAll();
    }
    if (contents.isEmpty())
        contents = QByteArray("\xEF\xBB\xBF") + csvLine(header).toUtf8() + "\r\n";
    else if (!contents.endsWith('\n'))
        contents += "\r\n";
    contents += csvLine(row).toUtf8() + "\r\n";

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !commitDurably(file)) {
        if (error)
            *error =
                QCoreApplication::translate("BeamLog", "无法写入 %1：%2").arg(m_path, file.errorString());
        return false;
    }
    return true;
}

bool BeamLog::writeWorkbook(const QStringList &header, WorkbookService *workbook, QString *error)
{
    if (!workbook) {
        if (error)
            *error = QCoreApplication::translate("BeamLog", "无法写入工作簿");
        return false;
    }
    WorkbookSheet sheet;
    for (int c = 0; c < header.size(); ++c)
        sheet.setText(1, c + 1, header[c]);
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const QStringList &row = m_rows[r];
        for (int c = 0; c < row.size(); ++c) {
            bool number = false;
            const double value = row[c].toDouble(&number);
            if (number)
                sheet.setNumber(int(r) + 2, c + 1, value);
            else if (!row[c].isEmpty())
                sheet.setText(int(r) + 2, c + 1, row[c]);
        }
    }
    QString reason;
    if (workbook->save(sheet, m_path, &reason))
        return true;
    if (error)
        *error = QCoreApplication::translate("BeamLog", "无法写入 %1：%2").arg(m_path, reason);
    return false;
}

} // namespace lumetra
