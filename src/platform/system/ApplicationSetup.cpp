#include "platform/system/ApplicationSetup.h"

#include <QApplication>
#include <QFont>

namespace lumetra {

void setupApplication(QApplication &)
{
    QApplication::setApplicationName(QStringLiteral("Lumetra"));
    QApplication::setOrganizationName(QStringLiteral("Lumetra"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(LUMETRA_VERSION_MAJOR)
                                            .arg(LUMETRA_VERSION_MINOR)
                                            .arg(LUMETRA_VERSION_PATCH));
    for (const char *song : {"宋体", "SimSun", "NSimSun", "新宋体"})
        QFont::insertSubstitution(QString::fromUtf8(song), QStringLiteral("Noto Serif CJK SC"));
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(9);
    QApplication::setFont(font);

}

} // namespace lumetra
