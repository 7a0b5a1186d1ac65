#include "platform/printing/PrintOutcome.h"

#include <QCoreApplication>
#include <QDir>

namespace lumetra {

QString PrintOutcome::note() const
{
    switch (result) {
    case Result::Printed: return {};
    case Result::SavedToFile:
        return QCoreApplication::translate("PrintOutcome", "已保存为 PDF：%1")
            .arg(QDir::toNativeSeparators(filePath));
    case Result::Failed: return QCoreApplication::translate("PrintOutcome", "打印失败：%1").arg(error);
    }
    return {};
}

} // namespace lumetra
