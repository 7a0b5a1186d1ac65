// The workspace in English: its window, menus, dialogs, the 3D chart and every message and file
// dialog they raise carry no Chinese, and the English captions fit their controls.
#include "WorkspaceFixture.h"

#include "platform/workbook/ScriptedWorkbookService.h"
#include "support/EnglishInterface.h"
#include "support/TextChecks.h"
#include "support/TextFits.h"
#include "support/WidgetTexts.h"
#include "workspace/SettingsDialog.h"
#include "workspace/placement/PlacementOptionsDialog.h"
#include "workspace/surface3d/SurfaceChartWindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

namespace lumetra::test {
namespace {

class EnglishWorkspaceTest : public WorkspaceFixture
{
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        services.workbook = &workbook;
    }

    // A left-button drag across the picture (picture pixels; the view's border is 2 pixels).
    void drag(QWidget *view, QPoint from, QPoint to)
    {
        const auto send = [view](QEvent::Type type, QPoint at, Qt::MouseButton button,
                                 Qt::MouseButtons held) {
            const QPointF local(at + QPoint(2, 2));
            QMouseEvent event(type, local, view->mapToGlobal(local), button, held, Qt::NoModifier);
            QApplication::sendEvent(view, &event);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }

    // What the scripted dialogs and the status bar were given, each text with where it came from.
    QStringList spokenTexts() const
    {
        QStringList texts = mainWindow.statuses;
        for (const auto &m : dialogs.messages)
            texts << QStringLiteral("message: ") + m.title + QStringLiteral(" / ") + m.text;
        for (const auto &i : dialogs.inputs)
            texts << QStringLiteral("input: ") + i.title + QStringLiteral(" / ") + i.prompt;
        for (const QString &problem : dialogs.inputProblems)
            texts << QStringLiteral("input problem: ") + problem;
        for (const auto &r : dialogs.saveRequests)
            texts << QStringLiteral("save: ") + r.title + QStringLiteral(" / ") + r.filter;
        return texts;
    }

    ScriptedWorkbookService workbook;
};

TEST_F(EnglishWorkspaceTest, EveryWindowAndMessageSpeaksEnglishAndItsCaptionsFit)
{
    const EnglishInterface english; // before any window
    // Larger than the workspace: the placement bar shows as well.
    WorkspaceWindow *ws = openPattern(1280, 960);
    ASSERT_NE(ws, nullptr);
    EXPECT_TRUE(ws->windowTitle().startsWith(QStringLiteral("Picture - pattern.bmp")))
        << ws->windowTitle().toStdString();

    struct Opened
    {
        const char *name;
        std::function<QWidget *()> open;
    };
    const Opened windows[] = {
        {"workspace", [ws] { return ws; }},
        {"settings",
         [ws] {
             ws->menuItem(QStringLiteral("settings"))->trigger();
             return static_cast<QWidget *>(SettingsDialog::instance(ws->context()));
         }},
        {"placement options",
         [ws] {
             ws->menuItem(QStringLiteral("placementOptions"))->trigger();
             return static_cast<QWidget *>(PlacementOptionsDialog::instance(ws->context()));
         }},
        {"3D chart of a region",
         [this, ws]() -> QWidget * {
             // An odd factor first: the box says why it refuses it.
             dialogs.inputAnswers = {QStringLiteral("3"), QStringLiteral("x"), QStringLiteral("10")};
             ws->menuItem(QStringLiteral("drawSurface"))->trigger();
             drag(ws->pictureView(), {200, 100}, {300, 160});
             for (QWidget *w : QApplication::topLevelWidgets())
                 if (auto *chart = qobject_cast<SurfaceChartWindow *>(w))
                     return chart;
             return nullptr;
         }},
    };
    for (const Opened &w : windows) {
        SCOPED_TRACE(w.name);
        QWidget *window = w.open();
        ASSERT_NE(window, nullptr);
        const QStringList chinese = chineseTexts(window);
        EXPECT_TRUE(chinese.isEmpty()) << qPrintable(chinese.join(u'\n'));
        const QStringList cut = cutTexts(window);
        EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join(u'\n'));
    }

    // The file dialogs and messages the commands raise: the table, the chart's workbook (both
    // cancelled), a settings entry the box refuses.
    ws->menuItem(QStringLiteral("exportTable"))->trigger();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *chart = qobject_cast<SurfaceChartWindow *>(w))
            chart->workbookButton()->click();
    ASSERT_EQ(dialogs.inputProblems.size(), 2);
    EXPECT_EQ(dialogs.inputProblems[0],
              QStringLiteral("3 is odd: The 3D reduction factor must be 2, 4, 6, 8 or 10."));
    const QStringList spoken = spokenTexts();
    EXPECT_GE(dialogs.saveRequests.size(), 1);
    EXPECT_FALSE(dialogs.messages.isEmpty()); // offscreen the 3D view says OpenGL is missing
    for (const QString &text : spoken)
        EXPECT_FALSE(containsChinese(text)) << qPrintable(text);
}

TEST_F(EnglishWorkspaceTest, TheSettingsDialogsEntryCheckAndFailuresAreEnglish)
{
    const EnglishInterface english;
    SettingsDialog *dialog = SettingsDialog::showDialog(*context);
    ASSERT_NE(dialog, nullptr);
    const QList<QLineEdit *> boxes = dialog->findChildren<QLineEdit *>();
    ASSERT_FALSE(boxes.isEmpty());
    boxes.front()->setText(QStringLiteral("9x"));
    QStringList problems;
    for (const QLabel *label : dialog->findChildren<QLabel *>())
        if (label->isVisibleTo(dialog) && label->styleSheet().contains(QStringLiteral("#c00000")))
            problems << label->text();
    EXPECT_EQ(problems, QStringList{QStringLiteral("Digits only")});
    const QStringList cut = cutTexts(dialog);
    EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join(u'\n'));
}

} // namespace
} // namespace lumetra::test
