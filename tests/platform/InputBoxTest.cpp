// The input box the program asks with: its prompt wraps, and a refused answer is named in red
// under the text while the box stays open.
#include "platform/dialogs/InputBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace lumetra {
namespace {

TEST(InputBox, WrapsItsPromptAndSaysWhatIsWrongUntilTheAnswerIsAcceptable)
{
    const QString prompt = QString(QStringLiteral("一段很长的说明文字，")).repeated(12);
    InputBox box(nullptr, prompt, QStringLiteral("输入框"), QStringLiteral("6"),
                 [](const QString &answer) { return answer == "8" ? QString() : answer + " 不行"; });
    box.show();
    EXPECT_EQ(box.windowTitle(), QStringLiteral("输入框"));
    EXPECT_EQ(box.entry()->text(), QStringLiteral("6"));
    EXPECT_TRUE(box.promptLabel()->wordWrap());
    // Every line of the wrapped prompt is shown.
    EXPECT_GT(box.promptLabel()->height(), 2 * box.promptLabel()->fontMetrics().height());
    EXPECT_GE(box.promptLabel()->height(), box.promptLabel()->heightForWidth(box.promptLabel()->width()));
    EXPECT_LE(box.width(), 520);
    EXPECT_FALSE(box.problemLabel()->isVisible());

    box.entry()->setText(QStringLiteral("5"));
    box.accept();
    EXPECT_TRUE(box.isVisible());
    EXPECT_NE(box.result(), QDialog::Accepted);
    EXPECT_TRUE(box.problemLabel()->isVisible());
    EXPECT_EQ(box.problemLabel()->text(), QStringLiteral("5 不行"));
    EXPECT_EQ(box.problemLabel()->palette().color(QPalette::WindowText).red(), 0xc0);

    box.entry()->clear();
    QTest::keyClicks(box.entry(), "8"); // typing again clears the message
    EXPECT_FALSE(box.problemLabel()->isVisible());
    box.accept();
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_FALSE(box.isVisible());
}

} // namespace
} // namespace lumetra
