#pragma once

#include "platform/workbook/WorkbookService.h"

namespace lumetra {

// Writes .xlsx workbooks with libxlsxwriter: first to a temporary file beside the target, which
// is renamed over the target once it is complete.
class XlsxWorkbookService : public WorkbookService
{
public:
    bool save(const WorkbookSheet &sheet, const QString &path, QString *error = nullptr) override;
};

} // namespace lumetra
