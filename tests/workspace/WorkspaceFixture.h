#pragma once

#include "analysis/AnalysisState.h"
#include "types/ProgressWindows.h"
#include "platform/ports/AppContext.h"
#include "platform/ports/MainWindowPort.h"
#include "platform/settings/PlacementSetting.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/ports/Services.h"
#include "workspace/WorkspaceWindow.h"
#include "app/WindowWiring.h"
#include "workspace/SettingsDialog.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QEvent>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace lumetra::test {

// Main window stand-in that remembers the toolbar and connect-menu states it was given.
class RecordingMainWindow : public MainWindowPort
{
public:
    std::array<bool, 6> buttons{false, true, true, true, true, true};
    bool connectMenu = true;
    QStringList statuses; // status-bar lines, in order

    void setToolbarButtonEnabled(int index, bool enabled) override { buttons.at(index) = enabled; }
    bool toolbarButtonEnabled(int index) const override { return buttons.at(index); }
    void setConnectMenuEnabled(bool enabled) override { connectMenu = enabled; }
    bool connectMenuEnabled() const override { return connectMenu; }
    void showStatus(const QString &text) override { statuses << text; }
};

// A picture whose every pixel differs from its neighbours, so that misplaced copies show.
inline QImage patternImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 5 + x / 3) % 256, (x + y * 3) % 200 + 20));
    return image;
}

// Windows opened by one test are closed and deleted before the next starts.
inline void closeAllWindows()
{
    QApplication::closeAllWindows();
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class WorkspaceFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        services.dialogs = &dialogs;
        context =
            std::make_unique<AppContext>(AppContext{services, progress, nullptr, nullptr, {}, {}});
        context->mainWindow = &mainWindow;
        wireWindows(*context, *state);
        SettingsDialog::setSettingsPath(path(QStringLiteral("configtext.txt")));
        setPlacementSettingsFile(path(QStringLiteral("lumetra.ini")));
    }

    void TearDown() override
    {
        closeAllWindows();
        SettingsDialog::setSettingsPath(QString());
        setPlacementSettingsFile(QString());
    }

    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }

    QString writeImage(const QString &name, const QImage &image, const char *format = "BMP")
    {
        const QString file = path(name);
        EXPECT_TRUE(image.save(file, format));
        return file;
    }

    // The main window's open command after its dialog: the path is stored, then the workspace
    // opens through the context.
    bool open(const QString &file)
    {
        state->picture.ImagePath = file;
        return context->openWorkspace(state->picture.ImagePath);
    }

    WorkspaceWindow *openPattern(int width = 640, int height = 480)
    {
        image = patternImage(width, height);
        EXPECT_TRUE(open(writeImage(QStringLiteral("pattern.bmp"), image)));
        return WorkspaceWindow::instance(*context);
    }

    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    ScriptedDialogs dialogs;
    Services services;
    SilentProgress progress;
    RecordingMainWindow mainWindow;
    std::unique_ptr<AppContext> context;
    QTemporaryDir dir;
    QImage image;
};

} // namespace lumetra::test
