#include "support/WorkbookReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace lumetra::test {

namespace {

// Texts are tagged so that a text "12" never passes for the number 12.
const char *const ReaderScript = R"PY(
import json, sys
import openpyxl
book = openpyxl.load_workbook(sys.argv[1])
sheet = book.active
cells = {}
for row in sheet.iter_rows():
    for c in row:
        if c.value is None:
            continue
        if isinstance(c.value, str):
            cells[c.coordinate] = {"text": c.value}
        else:
            cells[c.coordinate] = {"number": float(c.value)}
print(json.dumps({"sheets": book.sheetnames, "cells": cells}))
)PY";

} // namespace

bool WorkbookContents::isNumber(const QString &name) const
{
    const QVariant v = cells.value(name);
    return v.isValid() && v.typeId() == QMetaType::Double;
}

bool WorkbookContents::isText(const QString &name) const
{
    const QVariant v = cells.value(name);
    return v.isValid() && v.typeId() == QMetaType::QString;
}

WorkbookContents readWorkbook(const QString &path)
{
    WorkbookContents contents;
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QString::fromUtf8(ReaderScript), path});
    if (!python.waitForFinished(60000) || python.exitStatus() != QProcess::NormalExit ||
        python.exitCode() != 0) {
        contents.error = QString::fromUtf8(python.readAllStandardError()).trimmed();
        if (contents.error.isEmpty())
            contents.error = QStringLiteral("the workbook reader did not run");
        return contents;
    }
    const QJsonObject root = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    for (const QJsonValue &name : root.value(QStringLiteral("sheets")).toArray())
        contents.sheetNames << name.toString();
    const QJsonObject cells = root.value(QStringLiteral("cells")).toObject();
    for (auto it = cells.begin(); it != cells.end(); ++it) {
        const QJsonObject cell = it.value().toObject();
        if (cell.contains(QStringLiteral("text")))
            contents.cells.insert(it.key(), cell.value(QStringLiteral("text")).toString());
        else
            contents.cells.insert(it.key(), cell.value(QStringLiteral("number")).toDouble());
    }
    contents.ok = true;
    return contents;
}

} // namespace lumetra::test
