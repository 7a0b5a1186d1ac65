#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

namespace lumetra::test {

// A saved workbook as an independent reader (openpyxl under Debian's /usr/bin/python3) sees
// it: the sheet names and the active sheet's non-empty cells by their "A1" names. Numbers
// come back as double, texts as QString.
struct WorkbookContents
{
    bool ok = false;
    QString error;
    QStringList sheetNames;
    QVariantMap cells;

    QVariant cell(const QString &name) const { return cells.value(name); }
    bool isNumber(const QString &name) const;
    bool isText(const QString &name) const;
};

WorkbookContents readWorkbook(const QString &path);

} // namespace lumetra::test
