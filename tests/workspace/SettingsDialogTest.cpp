// The settings dialog: its entry check, loading and saving the settings file.
#include "WorkspaceFixture.h"

#include "workspace/DigitEntryCheck.h"
#include "workspace/SettingsDialog.h"

#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace lumetra::test {
namespace {

class SettingsDialogTest : public WorkspaceFixture
{
protected:
    QString settingsFile() const { return path("configtext.txt"); }

    void writeSettings(const QByteArray &bytes)
    {
        QFile f(settingsFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray readSettings() const
    {
        QFile f(settingsFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    SettingsDialog *show() { return SettingsDialog::showDialog(*context); }
};

TEST(DigitEntryCheck, AcceptsDigitsWithinTheLimitAndNamesAnythingElse)
{
    for (const auto &[text, limit] : {std::pair{"", 20}, {"2", 20}, {"20", 20}, {"320", 320}, {"0320", 320}})
        EXPECT_EQ(digitEntryProblem(text, limit), QString()) << text;
    EXPECT_EQ(digitEntryProblem("25", 20), QStringLiteral("最大为 20"));
    EXPECT_EQ(digitEntryProblem("321", 320), QStringLiteral("最大为 320"));
    EXPECT_EQ(digitEntryProblem("99999999999999999999999", 320), QStringLiteral("最大为 320"));
    for (const char *text : {"1a", "a1", "-5", " 5"})
        EXPECT_EQ(digitEntryProblem(text, 20), QStringLiteral("只能输入数字")) << text;
    EXPECT_EQ(digitEntryProblem(QStringLiteral("１２"), 320), QStringLiteral("只能输入数字")); // full-width
}

TEST_F(SettingsDialogTest, HasItsTitleCaptionsAndButtonPlaces)
{
    SettingsDialog *dialog = show();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("设置"));
    EXPECT_EQ(dialog->size(), QSize(312, 261));
    EXPECT_EQ(dialog->pos(), QPoint(300, 150));
    EXPECT_EQ(dialog->okButton()->text(), QStringLiteral("确定"));
    EXPECT_EQ(dialog->cancelButton()->text(), QStringLiteral("取消"));
    EXPECT_EQ(dialog->okButton()->geometry(), QRect(64, 208, 65, 33));
    EXPECT_EQ(dialog->cancelButton()->geometry(), QRect(176, 208, 65, 33));
    EXPECT_EQ(dialog->okButton()->objectName(), "ok");
    EXPECT_EQ(dialog->cancelButton()->objectName(), "cancel");
    const std::pair<const char *, const char *> labels[] = {
        {"intervalCaption", "光强值显示间隔："}, {"intervalRange", "有效范围：0-20的数字"}, {"widthCaption", "积分宽度："}};
    for (const auto &[name, caption] : labels) {
        auto *label = dialog->findChild<QLabel *>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString::fromUtf8(caption));
        EXPECT_TRUE(dialog->rect().contains(label->mapTo(dialog, label->rect().bottomRight())));
    }
    // Each box sits in its own frame with its label.
    EXPECT_EQ(dialog->intervalEntry()->parentWidget(), dialog->findChild<QGroupBox *>("intervalGroup"));
    EXPECT_EQ(dialog->widthEntry()->parentWidget(), dialog->findChild<QGroupBox *>("widthGroup"));
    EXPECT_EQ(dialog->intervalEntry()->objectName(), "Text1");
    EXPECT_EQ(dialog->widthEntry()->objectName(), "Text2");
}

TEST_F(SettingsDialogTest, TypingAndPastingSayWhatIsWrongUnderTheBox)
{
    SettingsDialog *dialog = show();
    ASSERT_NE(dialog, nullptr);
    const auto shows = [dialog](QLabel *problem, const QString &text) {
        return problem->isVisible() && problem->text() == text &&
               problem->palette().color(QPalette::WindowText) == QColor(0xc0, 0, 0) &&
               problem->mapTo(dialog, QPoint(0, 0)).y() > (problem == dialog->intervalProblem() ? dialog->intervalEntry()
                                                                                         : dialog->widthEntry())
                                                                  ->mapTo(dialog, QPoint(0, 0))
                                                                  .y() &&
               dialog->rect().contains(problem->mapTo(dialog, problem->rect().bottomRight()));
    };
    EXPECT_FALSE(dialog->intervalProblem()->isVisible());
    QTest::keyClicks(dialog->intervalEntry(), "25");
    EXPECT_EQ(dialog->intervalEntry()->text(), "25"); // the keys are kept
    EXPECT_TRUE(shows(dialog->intervalProblem(), "最大为 20"));
    EXPECT_FALSE(dialog->okButton()->isEnabled());
    QTest::keyClick(dialog->intervalEntry(), Qt::Key_Backspace);
    EXPECT_FALSE(dialog->intervalProblem()->isVisible());
    EXPECT_TRUE(dialog->okButton()->isEnabled());

    QTest::keyClicks(dialog->widthEntry(), "3x");
    EXPECT_TRUE(shows(dialog->widthProblem(), "只能输入数字"));
    EXPECT_FALSE(dialog->okButton()->isEnabled());
    const QByteArray before = readSettings();
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_EQ(readSettings(), before); // nothing saved while a box is wrong
    EXPECT_TRUE(dialogs.messages.isEmpty());

    dialog->widthEntry()->clear();
    QGuiApplication::clipboard()->setText("320");
    dialog->widthEntry()->paste();
    EXPECT_FALSE(dialog->widthProblem()->isVisible());
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_EQ(readSettings(), QByteArray("320\r\n2\r\n"));
}

TEST_F(SettingsDialogTest, LoadsBothLinesWithoutTheirBlanks)
{
    writeSettings("  12  \r\n 5\r\n");
    SettingsDialog *dialog = show();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->widthEntry()->text(), "12");
    EXPECT_EQ(dialog->intervalEntry()->text(), "5");
}

TEST_F(SettingsDialogTest, MissingEmptyOrUnreadableFileGivesEmptyBoxes)
{
    const auto expectEmpty = [this] {
        SettingsDialog *dialog = show();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->intervalEntry()->text(), "");
        EXPECT_EQ(dialog->widthEntry()->text(), "");
        closeAllWindows();
        EXPECT_EQ(SettingsDialog::instance(*context), nullptr);
    };
    expectEmpty(); // missing
    writeSettings("");
    expectEmpty();
    QFile::remove(settingsFile());
    ASSERT_TRUE(QDir(dir.path()).mkdir("configtext.txt")); // a folder cannot be read as the file
    expectEmpty();
}

TEST_F(SettingsDialogTest, OkWritesBothLinesAndReportsSuccessWithoutClosing)
{
    writeSettings("3\r\n7\r\n");
    SettingsDialog *dialog = show();
    ASSERT_NE(dialog, nullptr);
    dialog->widthEntry()->setText("8");
    dialog->intervalEntry()->setText("5");
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_EQ(readSettings(), QByteArray("8\r\n5\r\n"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("设置值已成功被修改!"));
    EXPECT_EQ(dialogs.messages[0].buttons, Dialogs::Buttons::Ok);
    EXPECT_EQ(SettingsDialog::instance(*context), dialog);
    EXPECT_TRUE(dialog->isVisible());

    dialog->widthEntry()->clear();
    dialog->intervalEntry()->setText("20");
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_EQ(readSettings(), QByteArray("\r\n20\r\n"));
}

TEST_F(SettingsDialogTest, CancelClosesWithoutTouchingTheFile)
{
    writeSettings("3\r\n7\r\n");
    SettingsDialog *dialog = show();
    ASSERT_NE(dialog, nullptr);
    dialog->widthEntry()->setText("99");
    QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(SettingsDialog::instance(*context), nullptr);
    EXPECT_EQ(readSettings(), QByteArray("3\r\n7\r\n"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// Limits the size of files this process may write, so that a save fails part-way.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(SettingsDialogTest, FailedSaveReportsAnErrorAndKeepsTheOldFile)
{
    writeSettings("3\r\n7\r\n");
    SettingsDialog *dialog = show();
    ASSERT_NE(dialog, nullptr);
    dialog->widthEntry()->setText("128");
    dialog->intervalEntry()->setText("15");
    {
        FileSizeLimit limit(4);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    }
    EXPECT_EQ(readSettings(), QByteArray("3\r\n7\r\n"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_NE(dialogs.messages[0].text, QStringLiteral("设置值已成功被修改!"));
    EXPECT_FALSE(dialogs.messages[0].text.contains(QStringLiteral("成功")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"configtext.txt"})); // no leftovers

    // A settings file whose folder cannot exist (a file is in the way) fails the same way.
    writeSettings("x");
    SettingsDialog::setSettingsPath(path("configtext.txt/inner/configtext.txt"));
    dialogs.messages.clear();
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_FALSE(dialogs.messages[0].text.contains(QStringLiteral("成功")));
    EXPECT_EQ(readSettings(), QByteArray("x"));
}

} // namespace
} // namespace lumetra::test
