#include "platform/printing/PrintOutcome.h"

#include <QDir>

namespace lumetra {

QString PrintOutcome::note() const
{
    switch (result) {
    case Result::Printed: return {};
    case Result::SavedToFile:
        return QStringLiteral("已保存为 PDF：") + QDir::toNativeSeparators(filePath);
    case Result::Failed: return QStringLiteral("打印失败：") + error;
    }
    return {};
}

} // namespace lumetra
