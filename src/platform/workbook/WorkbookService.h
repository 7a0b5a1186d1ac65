#pragma once

#include "types/WorkbookSheet.h"

#include <QString>

namespace lumetra {

// Writes workbook files. The program uses XlsxWorkbookService; tests may script failures with
// ScriptedWorkbookService.
class WorkbookService
{
public:
    virtual ~WorkbookService() = default;

    // Saves the sheet as the only worksheet of a new workbook at path. The file is replaced only
    // by a completely written one: when this returns false, a file already at path is untouched.
    // On failure, error (when given) receives a one-line reason.
    virtual bool save(const WorkbookSheet &sheet, const QString &path, QString *error = nullptr) = 0;
};

} // namespace lumetra
