// main() of every test binary: an application object (offscreen unless the test environment
// asks for another platform) with the program's fonts, then GoogleTest.
#include "platform/ApplicationSetup.h"

#include <QApplication>
#include <QDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const QByteArray dir = "/tmp/runtime-" + QByteArray::number(getuid());
        mkdir(dir.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    if (!qEnvironmentVariableIsSet("LUMETRA_CLI"))
        qputenv("LUMETRA_CLI", LUMETRA_TEST_CLI);
    if (!qEnvironmentVariableIsSet("LUMETRA_BIN_DIR"))
        qputenv("LUMETRA_BIN_DIR", LUMETRA_TEST_BIN_DIR);
    if (!qEnvironmentVariableIsSet("LUMETRA_SOURCE_DIR"))
        qputenv("LUMETRA_SOURCE_DIR", LUMETRA_TEST_SOURCE_DIR);
    ::testing::InitGoogleMock(&argc, argv);
    QApplication app(argc, argv);
    lumetra::setupApplication(app);
    return RUN_ALL_TESTS();
}
