// Every command that writes a file or copies says so in the main window's status bar, and the
// dialogs that close leave no empty frame behind.
#include "AppTestContext.h"

#include "app/MainWindow.h"
#include "app/WindowMenu.h"
#include "app/WindowWiring.h"
#include "beamview/BeamWindow.h"
#include "beamview/CalibrationDialog.h"
#include "caustic/CausticWindow.h"
#include "platform/settings/PlacementSetting.h"
#include "platform/workbook/ScriptedWorkbookService.h"
#include "support/CausticOracle.h"
#include "support/SyntheticBeam.h"
#include "workspace/WorkspaceWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace lumetra {
namespace {

class ActionFeedback : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("HOME", QFile::encodeName(home.path()));
        QStandardPaths::setTestModeEnabled(true);
        setPlacementSettingsFile(file(QStringLiteral("lumetra.ini")));
        app.context.calibrationFile = file(QStringLiteral("calibration.ini"));
        app.services.workbook = &workbook;
        wireWindows(app.context, app.state());
        main = std::make_unique<MainWindow>(app.context, file(QStringLiteral("none.bmp")),
                                            std::make_unique<PictureHistory>(file(QStringLiteral("h.ini"))));
        main->resize(1600, 1000);
        main->show();
        test::Scene scene;
        scene.noise = 1;
        QImage frame(640, 480, QImage::Format_Grayscale8);
        const beam::BeamFrame beam = test::makeFrame(scene).frame;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                frame.scanLine(y)[x] = uchar(std::clamp(std::lround(beam.values[std::size_t(y) * 640 + x]), 0L, 255L));
        ASSERT_TRUE(frame.save(file(QStringLiteral("spot.png"))));
        ASSERT_TRUE(main->openImageFile(file(QStringLiteral("spot.png"))));
    }
    void TearDown() override
    {
        if (CausticWindow *w = CausticWindow::instance())
            childWindowFrame(w)->close();
        main->mdiArea()->closeAllSubWindows();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        main.reset();
        setPlacementSettingsFile(QString());
    }
    QString file(const QString &name) const { return QDir(home.path()).filePath(name); }
    QString status() const { return main->statusBar()->currentMessage(); }
    QStringList windowMenuTitles() const
    {
        main->windowMenu()->refresh();
        QStringList titles;
        for (QAction *a : main->windowMenu()->windowActions())
            titles << a->text();
        return titles;
    }

    QTemporaryDir home;
    testing::AppTestContext app;
    ScriptedWorkbookService workbook;
    std::unique_ptr<MainWindow> main;
};

TEST_F(ActionFeedback, CopyLogAndExportsSayWhatTheyDid)
{
    app.context.openBeamWindow();
    BeamWindow *beam = BeamWindow::instance(app.context);
    ASSERT_NE(beam, nullptr);
    ASSERT_TRUE(beam->result().has_value());

    main->statusBar()->clearMessage();
    beam->copyValues();
    EXPECT_EQ(status(), QStringLiteral("已复制到剪贴板"));
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("文件\t")));

    // The log is chosen once; each press appends and says where.
    const QString log = file(QStringLiteral("beam-log.csv"));
    app.dialogs.fileAnswers.push_back(log);
    for (int press = 0; press < 2; ++press) {
        main->statusBar()->clearMessage();
        beam->exportRow();
        EXPECT_EQ(status(), QStringLiteral("已追加到 ") + QDir::toNativeSeparators(log)) << press;
    }
    QFile written(log);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().count('\n'), 3); // the header and two rows

    // The M² window's table and plot.
    CausticWindow *m2 = CausticWindow::showWindow(app.context);
    test::KnownCaustic caustic{1.2, 1064, 300, 0};
    QStringList frames;
    for (double z : {-120.0, -40.0, 0.0, 40.0, 120.0}) {
        frames << file(QStringLiteral("m-%1mm.png").arg(z));
        ASSERT_TRUE(test::writeCausticFrame(frames.back(), caustic, caustic, z, {}));
    }
    m2->addFrames(frames);
    ASSERT_TRUE(QTest::qWaitFor([m2] { return !m2->measuring(); }, 20000));
    const QString table = file(QStringLiteral("caustic.xlsx"));
    app.dialogs.fileAnswers.push_back(table);
    m2->exportTable_Click();
    EXPECT_EQ(status(), QStringLiteral("已保存：") + QDir::toNativeSeparators(table));
    const QString plot = file(QStringLiteral("caustic.png"));
    app.dialogs.fileAnswers.push_back(plot);
    m2->exportPlot_Click();
    EXPECT_EQ(status(), QStringLiteral("已保存：") + QDir::toNativeSeparators(plot));
    EXPECT_TRUE(QFileInfo::exists(plot));
}

TEST_F(ActionFeedback, AnEmptyFrameListSaysSo)
{
    CausticWindow *m2 = CausticWindow::showWindow(app.context);
    EXPECT_EQ(m2->progress()->text(), QStringLiteral("尚未添加帧"));
    m2->addFrames({file(QStringLiteral("spot.png"))});
    EXPECT_TRUE(QTest::qWaitFor([m2] { return m2->progress()->text() == QStringLiteral("已测量 1 / 1 帧"); }, 20000))
        << m2->progress()->text().toStdString();
    m2->clearFrames_Click();
    EXPECT_EQ(m2->progress()->text(), QStringLiteral("尚未添加帧"));
}

TEST_F(ActionFeedback, CalibrationClosesWithItsFrame)
{
    for (const char *button : {"确定", "取消"}) {
        WorkspaceWindow::instance(app.context)->menuItem(QStringLiteral("calibrate"))->trigger();
        CalibrationDialog *dialog = CalibrationDialog::instance(app.context);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(windowMenuTitles().join(u' ').contains(QStringLiteral("标定")));
        dialog->pixelSizeEdit()->setText(QStringLiteral("5.5"));
        for (QPushButton *b : dialog->findChildren<QPushButton *>())
            if (b->text() == QString::fromUtf8(button))
                b->click();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
        EXPECT_EQ(CalibrationDialog::instance(app.context), nullptr) << button;
        EXPECT_FALSE(windowMenuTitles().join(u' ').contains(QStringLiteral("标定"))) << button;
        for (QMdiSubWindow *sub : main->mdiArea()->subWindowList())
            EXPECT_NE(sub->widget(), nullptr) << button << ": an empty frame is left";
    }
}

} // namespace
} // namespace lumetra
