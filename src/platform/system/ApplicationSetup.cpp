#include "platform/system/ApplicationSetup.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lumetra {

void setupApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Lumetra"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(LUMETRA_VERSION_MAJOR)
                                            .arg(LUMETRA_VERSION_MINOR)
                                            .arg(LUMETRA_VERSION_PATCH));
    for (const char *song : {"宋体", "SimSun", "NSimSun", "新宋体"})
        QFont::insertSubstitution(QString::fromUtf8(song), QStringLiteral("Noto Serif CJK SC"));
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(9);
    QApplication::setFont(font);

    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace lumetra
