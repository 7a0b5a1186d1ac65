// The About box: texts, closing, and the system-information button.
#include "AppTestContext.h"

#include "app/SystemInfoTool.h"
#include "app/AboutDialog.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

namespace lumetra {
namespace {

class AboutDialogTest : public ::testing::Test
{
protected:
    AboutDialog *openBox()
    {
        box = new AboutDialog(app.context);
        box->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(box.data()));
        return box;
    }

    void TearDown() override { delete box.data(); }

    testing::AppTestContext app;
    QPointer<AboutDialog> box;
};

TEST_F(AboutDialogTest, ShowsTitleVersionAndButtonCaptions)
{
    AboutDialog *b = openBox();
    EXPECT_EQ(b->windowTitle(), QString::fromUtf8("关于 Lumetra"));
    EXPECT_EQ(b->lblTitle()->text(), QStringLiteral("Lumetra"));
    EXPECT_EQ(b->cmdOK()->text(), QString::fromUtf8("确定"));
    EXPECT_EQ(b->cmdSysInfo()->text(), QString::fromUtf8("系统信息(&S)..."));
    EXPECT_EQ(b->lblTitle()->objectName(), QStringLiteral("lblTitle"));
    EXPECT_EQ(b->lblVersion()->objectName(), QStringLiteral("lblVersion"));
    auto *icon = b->findChild<QLabel *>(QStringLiteral("picIcon"));
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
}

TEST_F(AboutDialogTest, VersionIsMajorMinorRevisionOfTheProgram)
{
    AboutDialog *b = openBox();
    const QString text = b->lblVersion()->text();
    EXPECT_TRUE(QRegularExpression(QString::fromUtf8("^版本 \\d+\\.\\d+\\.\\d+$")).match(text).hasMatch())
        << text.toStdString();
    // This is version 2.00 of the program.
    EXPECT_EQ(text, QString::fromUtf8("版本 2.0.0"));
}

TEST_F(AboutDialogTest, OkClosesAndDestroysTheBox)
{
    AboutDialog *b = openBox();
    QTest::mouseClick(b->cmdOK(), Qt::LeftButton);
    EXPECT_FALSE(box && box->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(box.isNull());
}

TEST_F(AboutDialogTest, OkInsideTheFrameClosesItsSubWindow)
{
    QMdiArea area;
    app.context.mdiArea = &area;
    area.resize(800, 600);
    area.show();
    box = new AboutDialog(app.context);
    showChildWindow(app.context, box, QPoint(300, 150));
    ASSERT_EQ(area.subWindowList().size(), 1);
    QTest::mouseClick(box->cmdOK(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area.subWindowList().isEmpty());
    EXPECT_TRUE(box.isNull());
}

TEST_F(AboutDialogTest, SystemInfoStartsTheFirstProgramFoundOnPath)
{
    app.launcher.available = {QStringLiteral("kinfocenter"), QStringLiteral("hardinfo")};
    AboutDialog *b = openBox();
    QTest::mouseClick(b->cmdSysInfo(), Qt::LeftButton);
    EXPECT_EQ(app.launcher.started, QStringList{QStringLiteral("/usr/bin/hardinfo")});
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    EXPECT_TRUE(b->isVisible());
}

TEST_F(AboutDialogTest, SystemInfoFallsBackToLaterPrograms)
{
    app.launcher.available = {QStringLiteral("gnome-system-monitor")};
    AboutDialog *b = openBox();
    QTest::mouseClick(b->cmdSysInfo(), Qt::LeftButton);
    EXPECT_EQ(app.launcher.started, QStringList{QStringLiteral("/usr/bin/gnome-system-monitor")});
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(AboutDialogTest, NoSystemInfoProgramTellsTheOperatorAndTheBoxStays)
{
    AboutDialog *b = openBox();
    QTest::mouseClick(b->cmdSysInfo(), Qt::LeftButton);
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_EQ(app.dialogs.messages.front().text, QString::fromUtf8("此时系统信息不可用"));
    EXPECT_EQ(app.dialogs.messages.front().buttons, Dialogs::Buttons::Ok);
    EXPECT_TRUE(app.launcher.started.isEmpty());
    EXPECT_TRUE(b->isVisible());
}

TEST_F(AboutDialogTest, AProgramThatFailsToStartGivesTheSameMessage)
{
    app.launcher.available = {QStringLiteral("kinfocenter")};
    app.launcher.startSucceeds = false;
    AboutDialog *b = openBox();
    b->cmdSysInfo_Click();
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_EQ(app.dialogs.messages.front().text, QString::fromUtf8("此时系统信息不可用"));
}

TEST(SystemInfoTool, WithoutALauncherTheMessageIsShown)
{
    ScriptedDialogs dialogs;
    EXPECT_FALSE(startSystemInfo(nullptr, dialogs, nullptr));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.front().text, QString::fromUtf8("此时系统信息不可用"));
}

} // namespace
} // namespace lumetra
