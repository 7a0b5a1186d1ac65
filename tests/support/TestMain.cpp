// main() of every test binary: an application object (offscreen unless the test environment
// asks for another platform) with the program's fonts, then GoogleTest.
#include "platform/system/ApplicationSetup.h"
#include "platform/system/InterfaceLanguage.h"

#include <QApplication>
#include <QDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    lumetra::prepareHeadlessEnvironment();
    if (!qEnvironmentVariableIsSet("LUMETRA_CLI"))
        qputenv("LUMETRA_CLI", LUMETRA_TEST_CLI);
    if (!qEnvironmentVariableIsSet("LUMETRA_BIN_DIR"))
        qputenv("LUMETRA_BIN_DIR", LUMETRA_TEST_BIN_DIR);
    if (!qEnvironmentVariableIsSet("LUMETRA_SOURCE_DIR"))
        qputenv("LUMETRA_SOURCE_DIR", LUMETRA_TEST_SOURCE_DIR);
    ::testing::InitGoogleMock(&argc, argv);
    QApplication app(argc, argv);
    lumetra::setupApplication(app);
    // The windows' own language (a test of the English face asks for it itself).
    lumetra::applyInterfaceLanguage(app, lumetra::InterfaceLanguage::Chinese);
    return RUN_ALL_TESTS();
}
