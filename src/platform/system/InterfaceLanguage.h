#pragma once

#include <QLocale>
#include <QString>

#include <optional>

class QObject;

namespace lumetra {

// The languages of the interface: Chinese is the source text, English a translation.
enum class InterfaceLanguage { Chinese, English };

// "zh" / "en" (also "zh_CN", "en_US" ...); nothing for anything else.
std::optional<InterfaceLanguage> languageNamed(const QString &name);
QString languageCode(InterfaceLanguage language);

// The language chosen in the program (选项 → 语言 / Language), kept in lumetra.ini.
std::optional<InterfaceLanguage> savedInterfaceLanguage(const QString &iniFile = {});
bool saveInterfaceLanguage(InterfaceLanguage language, const QString &iniFile = {});

// The language asked for on the command line, else the one chosen in the program, else the
// system's: Chinese for Chinese locales, English for every other.
InterfaceLanguage chooseInterfaceLanguage(std::optional<InterfaceLanguage> asked,
                                          std::optional<InterfaceLanguage> saved, const QLocale &system);

// Installs the translations for `language` (Lumetra's, every :/i18n/*_en.qm, and Qt's own, for
// standard buttons and file dialogs), makes it the default locale for numbers and dates, and has
// the layers below the windows (file readers, devices) speak it. The translators belong to
// `owner` (the application; a test's guard, which removes them again by deleting them).
void applyInterfaceLanguage(QObject &owner, InterfaceLanguage language);

} // namespace lumetra
