// The file dialogs as the program composes them (the operator's dialogs behind the folder
// memory): every readable picture listed first, and each dialog starting where the pictures, or
// its own files, were last time, also after a restart.
#include "AppTestContext.h"

#include "app/MainWindow.h"
#include "app/WindowWiring.h"
#include "beamview/BeamWindow.h"
#include "caustic/CausticWindow.h"
#include "platform/dialogs/FolderRememberingDialogs.h"
#include "platform/settings/FolderMemory.h"
#include "platform/settings/PlacementSetting.h"
#include "platform/workbook/ScriptedWorkbookService.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumetra {
namespace {

class FileDialogFolders : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("HOME", QFile::encodeName(home.path()));
        QStandardPaths::setTestModeEnabled(true);
        setPlacementSettingsFile(file(QStringLiteral("lumetra.ini")));
        QDir(home.path()).mkpath(QStringLiteral("frames"));
        QDir(home.path()).mkpath(QStringLiteral("results"));
        QImage frame(320, 240, QImage::Format_Grayscale8);
        frame.fill(40);
        ASSERT_TRUE(frame.save(file(QStringLiteral("frames/spot.png"))));
        app.context.calibrationFile = file(QStringLiteral("calibration.ini"));
        app.services.workbook = &workbook;
        wireWindows(app.context, app.state());
        start();
    }
    void TearDown() override
    {
        stop();
        setPlacementSettingsFile(QString());
    }

    // The program as it starts: its settings read from the same file as last time.
    void start()
    {
        folders = std::make_unique<FolderMemory>(file(QStringLiteral("settings.ini")));
        dialogs = std::make_unique<FolderRememberingDialogs>(app.dialogs, *folders);
        app.services.dialogs = dialogs.get();
        main = std::make_unique<MainWindow>(app.context, file(QStringLiteral("none.bmp")),
                                            std::make_unique<PictureHistory>(file(QStringLiteral("settings.ini"))));
        main->resize(1600, 1000);
        main->show();
    }
    void stop()
    {
        if (CausticWindow *w = CausticWindow::instance())
            childWindowFrame(w)->close();
        main->mdiArea()->closeAllSubWindows();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        main.reset();
        dialogs.reset();
        folders.reset();
    }
    QString file(const QString &name) const { return QDir(home.path()).filePath(name); }
    const Dialogs::FileRequest &lastOpen() const { return app.dialogs.openRequests.back(); }
    const Dialogs::FileRequest &lastSave() const { return app.dialogs.saveRequests.back(); }

    QTemporaryDir home;
    testing::AppTestContext app;
    ScriptedWorkbookService workbook;
    std::unique_ptr<FolderMemory> folders;
    std::unique_ptr<FolderRememberingDialogs> dialogs;
    std::unique_ptr<MainWindow> main;
};

TEST_F(FileDialogFolders, OpenDialogListsEveryPictureFirstAndStartsWhereThePicturesAre)
{
    // Nothing known yet: the home folder, with every readable format in the first entry.
    app.dialogs.fileAnswers.push_back(file(QStringLiteral("frames/spot.png")));
    main->menuItem(QStringLiteral("open_file"))->trigger();
    EXPECT_EQ(lastOpen().initialDirectory, QStringLiteral("c:\\"));
    EXPECT_EQ(lastOpen().filterIndex, 1);
    const QStringList entries = qtFilterList(lastOpen().filter);
    ASSERT_FALSE(entries.isEmpty());
    EXPECT_TRUE(entries.first().startsWith(QStringLiteral("所有图片 (")));
    for (const char *pattern : {"*.bmp", "*.jpg", "*.jpeg", "*.png", "*.pgm", "*.ppm", "*.tif", "*.tiff"})
        EXPECT_TRUE(entries.first().contains(QLatin1String(pattern))) << pattern;

    // The next open, the dark frame and the frames of a caustic start in the pictures' folder.
    main->menuItem(QStringLiteral("open_file"))->trigger();
    EXPECT_EQ(lastOpen().initialDirectory, file(QStringLiteral("frames")));
    app.context.openBeamWindow();
    BeamWindow::instance(app.context)->takeDarkFromFile();
    EXPECT_EQ(lastOpen().title, QStringLiteral("暗场图像"));
    EXPECT_EQ(lastOpen().initialDirectory, file(QStringLiteral("frames")));
    EXPECT_TRUE(qtFilterList(lastOpen().filter).first().startsWith(QStringLiteral("所有图片")));
    CausticWindow::showWindow(app.context)->addFrames_Click();
    EXPECT_EQ(lastOpen().title, QStringLiteral("添加帧"));
    EXPECT_EQ(lastOpen().initialDirectory, file(QStringLiteral("frames")));
    EXPECT_TRUE(qtFilterList(lastOpen().filter).first().startsWith(QStringLiteral("所有图片")));

    // A save dialog of another kind of file starts there too until it has a folder of its own,
    // and keeps that one; the picture dialogs stay with the pictures.
    app.dialogs.fileAnswers.push_back(file(QStringLiteral("results/caustic.xlsx")));
    CausticWindow::instance()->exportTable_Click();
    EXPECT_EQ(lastSave().initialDirectory, file(QStringLiteral("frames")));
    CausticWindow::instance()->exportTable_Click();
    EXPECT_EQ(lastSave().initialDirectory, file(QStringLiteral("results")));
    main->menuItem(QStringLiteral("open_file"))->trigger();
    EXPECT_EQ(lastOpen().initialDirectory, file(QStringLiteral("frames")));

    // After a restart, the same.
    stop();
    start();
    main->menuItem(QStringLiteral("open_file"))->trigger();
    EXPECT_EQ(lastOpen().initialDirectory, file(QStringLiteral("frames")));
    CausticWindow::showWindow(app.context)->exportTable_Click();
    EXPECT_EQ(lastSave().initialDirectory, file(QStringLiteral("results")));
}

TEST_F(FileDialogFolders, APictureChosenElsewhereMovesThePicturesFolder)
{
    QDir(home.path()).mkpath(QStringLiteral("darks"));
    QImage dark(320, 240, QImage::Format_Grayscale8);
    dark.fill(3);
    ASSERT_TRUE(dark.save(file(QStringLiteral("darks/dark.png"))));
    app.dialogs.fileAnswers.push_back(file(QStringLiteral("frames/spot.png")));
    main->menuItem(QStringLiteral("open_file"))->trigger();
    app.context.openBeamWindow();
    app.dialogs.fileAnswers.push_back(file(QStringLiteral("darks/dark.png")));
    BeamWindow::instance(app.context)->takeDarkFromFile();
    EXPECT_TRUE(BeamWindow::instance(app.context)->darkFrameInUse());
    main->menuItem(QStringLiteral("open_file"))->trigger();
    EXPECT_EQ(lastOpen().initialDirectory, file(QStringLiteral("darks")));
    // A folder that is gone is not offered.
    ASSERT_TRUE(QDir(file(QStringLiteral("darks"))).removeRecursively());
    CausticWindow::showWindow(app.context)->addFrames_Click();
    EXPECT_EQ(lastOpen().initialDirectory, QString());
}

} // namespace
} // namespace lumetra
