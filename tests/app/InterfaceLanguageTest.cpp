// The interface's language: asked for, chosen in the program, or the system's; the English face
// replaces the Chinese texts and the readers' messages, and goes again with its guard.
#include "AppTestContext.h"

#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "app/PictureHistory.h"
#include "platform/settings/PlacementSetting.h"
#include "platform/system/InterfaceLanguage.h"
#include "support/EnglishInterface.h"
#include "types/MessageLanguage.h"
#include "types/PicturePlacement.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumetra;

TEST(InterfaceLanguage, TheAskedTheChosenThenTheSystemsLanguage)
{
    const auto zh = InterfaceLanguage::Chinese, en = InterfaceLanguage::English;
    EXPECT_EQ(chooseInterfaceLanguage(en, zh, QLocale(QLocale::Chinese, QLocale::China)), en);
    EXPECT_EQ(chooseInterfaceLanguage(std::nullopt, zh, QLocale(QLocale::English, QLocale::UnitedStates)), zh);
    EXPECT_EQ(chooseInterfaceLanguage(std::nullopt, std::nullopt, QLocale(QLocale::Chinese, QLocale::Taiwan)), zh);
    EXPECT_EQ(chooseInterfaceLanguage(std::nullopt, std::nullopt, QLocale(QLocale::German, QLocale::Germany)), en);
    EXPECT_EQ(chooseInterfaceLanguage(std::nullopt, std::nullopt, QLocale::c()), en);
    EXPECT_EQ(languageNamed(QStringLiteral("zh_CN.UTF-8")), zh);
    EXPECT_EQ(languageNamed(QStringLiteral("en")), en);
    EXPECT_EQ(languageNamed(QStringLiteral("fr")), std::nullopt);

    const auto lang = [](std::initializer_list<const char *> args) {
        QStringList list{QStringLiteral("lumetra")};
        for (const char *a : args)
            list << QString::fromUtf8(a);
        return parseCommandLine(list);
    };
    EXPECT_EQ(lang({"--lang", "en", "spot.bmp"}).language, QStringLiteral("en"));
    EXPECT_FALSE(lang({"--lang", "fr"}).ok());
    EXPECT_FALSE(lang({"--lang"}).ok());
    EXPECT_TRUE(commandLineUsage().contains(QStringLiteral("--lang en|zh")));
}

TEST(InterfaceLanguage, TheEnglishFaceTranslatesTheWindowsAndTheReadersUntilItGoes)
{
    EXPECT_EQ(placementCaption(PlacementMode::Fit), QStringLiteral("缩放"));
    {
        const test::EnglishInterface english;
        EXPECT_EQ(placementCaption(PlacementMode::Fit), QStringLiteral("Fit"));
        EXPECT_EQ(placementCaption(PlacementMode::Beam), QStringLiteral("Beam centred"));
        EXPECT_TRUE(messagesInEnglish());
        EXPECT_EQ(QLocale().language(), QLocale::English);
    }
    EXPECT_EQ(placementCaption(PlacementMode::Fit), QStringLiteral("缩放"));
    EXPECT_FALSE(messagesInEnglish());
}

TEST(InterfaceLanguage, TheOptionsMenuKeepsTheChoiceForTheNextStart)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("lumetra.ini"));
    setPlacementSettingsFile(ini);
    lumetra::testing::AppTestContext app;
    MainWindow window(app.context, QString(), std::make_unique<PictureHistory>(dir.filePath(QStringLiteral("h.ini"))));
    auto *english = window.findChild<QAction *>(QStringLiteral("language_en"));
    auto *chinese = window.findChild<QAction *>(QStringLiteral("language_zh"));
    ASSERT_TRUE(english && chinese);
    EXPECT_TRUE(chinese->isChecked()); // the tests' face
    EXPECT_EQ(savedInterfaceLanguage(), std::nullopt);
    english->trigger();
    EXPECT_EQ(savedInterfaceLanguage(), InterfaceLanguage::English);
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(QStringLiteral("English")));
    chinese->trigger();
    EXPECT_EQ(savedInterfaceLanguage(ini), InterfaceLanguage::Chinese);
    setPlacementSettingsFile({});
}
