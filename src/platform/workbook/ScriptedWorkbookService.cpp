#include "platform/workbook/ScriptedWorkbookService.h"

namespace lumetra {

bool ScriptedWorkbookService::save(const WorkbookSheet &sheet, const QString &path, QString *error)
{
    paths << path;
    sheets.push_back(sheet);
    if (failing) {
        if (error)
            *error = QStringLiteral("scripted failure");
        return false;
    }
    return m_writer.save(sheet, path, error);
}

} // namespace lumetra
