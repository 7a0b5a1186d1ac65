// The program's frame in English: the main window with its menus and toolbar, the about box, the
// progress window, and the platform's own messages (file dialogs' filters, overwriting, printing)
// carry no Chinese but the one language name meant to stay, and the captions fit.
#include "AppTestContext.h"

#include "app/AboutDialog.h"
#include "app/MainWindow.h"
#include "app/PictureHistory.h"
#include "app/progress/ProgressDialog.h"
#include "platform/dialogs/SaveTarget.h"
#include "platform/framefiles/PicturePatterns.h"
#include "platform/printing/PdfPrintJob.h"
#include "platform/printing/PrintOutcome.h"
#include "platform/printing/ScriptedPrinter.h"
#include "platform/settings/PlacementSetting.h"
#include "support/EnglishInterface.h"
#include "support/TextChecks.h"
#include "support/TextFits.h"
#include "support/WidgetTexts.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumetra;

namespace {

class EnglishMainWindow : public ::testing::Test
{
protected:
    void SetUp() override { setPlacementSettingsFile(dir.filePath(QStringLiteral("lumetra.ini"))); }
    void TearDown() override { setPlacementSettingsFile({}); }

    QTemporaryDir dir;
    lumetra::testing::AppTestContext app;
};

TEST_F(EnglishMainWindow, TheFrameItsMenusAndItsBoxesSpeakEnglishAndFit)
{
    const test::EnglishInterface english; // before any window
    auto history = std::make_unique<PictureHistory>(dir.filePath(QStringLiteral("h.ini")));
    const QString gone = dir.filePath(QStringLiteral("gone.bmp"));
    history->remember(gone); // a recent picture deleted since
    MainWindow window(app.context, QString(), std::move(history));
    window.resize(1280, 800);
    window.show();

    // Only the Chinese face's name stays Chinese, for the way back.
    QStringList chinese = test::chineseTexts(&window);
    chinese.removeDuplicates(); // a menu's actions are reached from the bar and from the menu
    EXPECT_EQ(chinese, QStringList{QStringLiteral("QAction(language_zh): 中文")})
        << qPrintable(chinese.join(u'\n'));
    QStringList cut = test::cutTexts(&window);
    EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join(u'\n'));

    auto *about = new AboutDialog(app.context);
    about->show();
    ProgressDialog progress;
    progress.show();
    for (QWidget *box : {static_cast<QWidget *>(about), static_cast<QWidget *>(&progress)}) {
        SCOPED_TRACE(box->objectName().toStdString());
        const QStringList chinese = test::chineseTexts(box);
        EXPECT_TRUE(chinese.isEmpty()) << qPrintable(chinese.join(u'\n'));
        cut = test::cutTexts(box);
        EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join(u'\n'));
    }
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Lumetra"));
    delete about;

    // The recent picture that is gone: the message says so in English.
    QMenu *file = nullptr;
    for (QAction *a : window.menuBar()->actions())
        if (a->objectName() == QStringLiteral("file_menu"))
            file = a->menu();
    ASSERT_NE(file, nullptr);
    emit file->aboutToShow();
    QAction *recent = nullptr;
    for (QAction *a : file->actions())
        if (a->text().endsWith(QStringLiteral("gone.bmp")))
            recent = a;
    ASSERT_NE(recent, nullptr);
    recent->trigger();
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_EQ(app.dialogs.messages[0].text, QStringLiteral("The file does not exist: ") + gone);
    EXPECT_EQ(app.dialogs.messages[0].title, QStringLiteral("Warning"));
}

TEST(EnglishPlatformTexts, FiltersOverwritingAndPrintingAreEnglish)
{
    const test::EnglishInterface english;
    EXPECT_TRUE(allPicturesFilter().startsWith(QStringLiteral("All pictures|*.bmp;")))
        << allPicturesFilter().toStdString();
    EXPECT_FALSE(test::containsChinese(MainWindow::openFilter()));

    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("table.xlsx"));
    QFile(existing).open(QIODevice::WriteOnly);
    ScriptedDialogs dialogs;
    dialogs.fileAnswers = {existing};
    dialogs.messageAnswers = {Dialogs::Answer::No};
    EXPECT_EQ(askSaveTarget(dialogs, nullptr, {}), std::nullopt);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("This file already exists. Replace it?"));

    EXPECT_EQ(PrintOutcome::failed(QStringLiteral("out of paper")).note(),
              QStringLiteral("Printing failed: out of paper"));
    EXPECT_TRUE(PrintOutcome::savedToFile(QStringLiteral("/tmp/r.pdf"))
                    .note()
                    .startsWith(QStringLiteral("Saved as PDF: ")));
    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));
    EXPECT_EQ(PdfPrintJob::fileName(QString(), when), QStringLiteral("Report 2026-03-04 05-06-07.pdf"));
    QString error;
    EXPECT_EQ(PdfPrintJob::open(dir.filePath(QStringLiteral("missing")), QStringLiteral("r"), when, error),
              nullptr);
    EXPECT_TRUE(error.startsWith(QStringLiteral("The folder "))) << error.toStdString();
    ScriptedPrinter printer(dir.path());
    EXPECT_EQ(printer.printImage(QStringLiteral("r"), QImage()).note(),
              QStringLiteral("Printing failed: Nothing to print"));
}

} // namespace
