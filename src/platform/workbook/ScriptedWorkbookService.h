#pragma once

#include "platform/workbook/XlsxWorkbookService.h"

#include <QStringList>

#include <vector>

namespace lumetra {

// A workbook writer for tests: records every save; writes real files unless told to fail, in
// which case it returns false and leaves the target alone, like a write that broke off.
class ScriptedWorkbookService : public WorkbookService
{
public:
    bool failing = false;
    QStringList paths;
    std::vector<WorkbookSheet> sheets;

    bool save(const WorkbookSheet &sheet, const QString &path, QString *error = nullptr) override;

private:
    XlsxWorkbookService m_writer;
};

} // namespace lumetra
