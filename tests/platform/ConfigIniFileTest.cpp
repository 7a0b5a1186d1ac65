#include "platform/settings/ConfigIniFile.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace lumetra;

TEST(ConfigIniFile, InTheConfigurationFolderUnlessAnotherPathIsChosen)
{
    // ~/.config/Lumetra, whatever organisation and application names the process carries.
    const QString inFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Lumetra/cameras.ini");
    EXPECT_EQ(ConfigIniFile::inConfigFolder(QStringLiteral("cameras.ini")), inFolder);

    ConfigIniFile file(QStringLiteral("cameras.ini"));
    EXPECT_EQ(file.path(), inFolder);
    file.choose(QStringLiteral("/tmp/elsewhere.ini"));
    EXPECT_EQ(file.path(), QStringLiteral("/tmp/elsewhere.ini"));
    file.choose(QString());
    EXPECT_EQ(file.path(), inFolder);
}
