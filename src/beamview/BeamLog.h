#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace lumetra {

class WorkbookService;

// The log a user keeps while aligning a laser: one row per press of the beam window's export
// button, in a CSV file or an .xlsx workbook (by the name's extension) chosen once.
// A CSV log is appended to (an existing file keeps its rows; a new one starts with the header
// line and a byte-order mark so that spreadsheets read it as UTF-8). A workbook cannot be
// appended to in place: it holds the header and the rows logged since it was chosen, and is
// written anew, whole, with each row. Every write replaces the file only by a complete one.
class BeamLog
{
public:
    bool hasTarget() const { return !m_path.isEmpty(); }
    const QString &target() const { return m_path; }
    QString path() const { return m_path; }
    bool isWorkbook() const;
    void setTarget(const QString &path);

    // Appends one row under `header`; false with a one-line reason when the file could not be
    // written (it then keeps its previous contents, and the row is not logged).
    bool append(const QStringList &header, const QStringList &row, WorkbookService *workbook, QString *error);

private:
    bool appendCsv(const QStringList &header, const QStringList &row, QString *error);
    bool writeWorkbook(const QStringList &header, WorkbookService *workbook, QString *error);

    QString m_path;
    std::vector<QStringList> m_rows; // the workbook's rows
};

// A CSV line (RFC 4180 quoting), without the line end.
QString csvLine(const QStringList &fields);

} // namespace lumetra
