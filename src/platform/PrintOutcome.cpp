#include "platform/PrintOutcome.h"

#include <QDir>

namespace lumetra {

QString PrintOutcome::note() const
{
    switch (result) {
    case Result::Printed: return {};
    case Result::SavedToFile:
        return QStringLiteral("系统中没有打印机，报告已存为 PDF 文件：") + QDir::toNativeSeparators(filePath);
    case Result::Failed: return QStringLiteral("打印失败：") + error;
    }
    return {};
}

} // namespace lumetra
