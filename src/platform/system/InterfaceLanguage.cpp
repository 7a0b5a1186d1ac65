#include "platform/system/InterfaceLanguage.h"

#include "platform/settings/PlacementSetting.h"
#include "types/MessageLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace lumetra {

// Kept beside the placement and the other choices of the windows.
const QString LanguageKey = QStringLiteral("interface/language");

std::optional<InterfaceLanguage> languageNamed(const QString &name)
{
    const QString code = name.trimmed().toLower().section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0);
    if (code == QLatin1String("zh"))
        return InterfaceLanguage::Chinese;
    if (code == QLatin1String("en"))
        return InterfaceLanguage::English;
    return std::nullopt;
}

QString languageCode(InterfaceLanguage language)
{
    return language == InterfaceLanguage::English ? QStringLiteral("en") : QStringLiteral("zh");
}

std::optional<InterfaceLanguage> savedInterfaceLanguage(const QString &iniFile)
{
    const QSettings settings(iniFile.isEmpty() ? placementSettingsFile() : iniFile, QSettings::IniFormat);
    return languageNamed(settings.value(LanguageKey).toString());
}

bool saveInterfaceLanguage(InterfaceLanguage language, const QString &iniFile)
{
    QSettings settings(iniFile.isEmpty() ? placementSettingsFile() : iniFile, QSettings::IniFormat);
    settings.setValue(LanguageKey, languageCode(language));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

InterfaceLanguage chooseInterfaceLanguage(std::optional<InterfaceLanguage> asked,
                                          std::optional<InterfaceLanguage> saved, const QLocale &system)
{
    if (asked)
        return *asked;
    if (saved)
        return *saved;
    return system.language() == QLocale::Chinese ? InterfaceLanguage::Chinese : InterfaceLanguage::English;
}

void applyInterfaceLanguage(QObject &owner, InterfaceLanguage language)
{
    const bool english = language == InterfaceLanguage::English;
    const QLocale locale = english ? QLocale(QLocale::English, QLocale::UnitedStates) : QLocale(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(locale);
    setMessagesInEnglish(english);
    // Qt's own texts (standard buttons, file dialogs) in the interface's language.
    auto *qt = new QTranslator(&owner);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    if (!english)
        return; // Chinese is the source text
    for (const QString &name : QDir(QStringLiteral(":/i18n")).entryList({QStringLiteral("*_en.qm")}, QDir::Files)) {
        auto *own = new QTranslator(&owner);
        if (own->load(QStringLiteral(":/i18n/") + name))
            QCoreApplication::installTranslator(own);
        else
            delete own;
    }
}

} // namespace lumetra
