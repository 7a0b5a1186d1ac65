#include "ReportFixture.h"

#include "app/WindowWiring.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>

namespace lumetra::testing {

void ReportFixture::SetUp()
{
    ASSERT_TRUE(outputDir.isValid());
    // To look at the pages a test printed: LUMETRA_KEEP_REPORTS=1 keeps the folder and names it.
    if (qEnvironmentVariableIsSet("LUMETRA_KEEP_REPORTS")) {
        outputDir.setAutoRemove(false);
        std::printf("reports in %s\n", qPrintable(outputDir.path()));
    }
    printer = std::make_unique<ScriptedPrinter>(outputDir.path());
    services.dialogs = &dialogs;
    services.printer = printer.get();
    context = std::make_unique<AppContext>(AppContext{services, progress, nullptr, nullptr, {}, {}});
    wireWindows(*context, *state);
    state->cut.CutOrientation = 1;
    state->cut.CutPosition = 192;
    state->view.AxisStart = -320;
    state->view.AxisEnd = 320;
    showFaceMode();
}

void ReportFixture::TearDown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->testAttribute(Qt::WA_DeleteOnClose))
            w->close();
    processDeletes();
}

void ReportFixture::setRow(int row, const std::function<int(int)> &grey)
{
    for (int x = 0; x < GreyMapGrid::Width; ++x)
        state->picture.GreyMap(x, row) = grey(x);
}

void ReportFixture::setColumn(int column, const std::function<int(int)> &grey)
{
    for (int y = 0; y < GreyMapGrid::Height; ++y)
        state->picture.GreyMap(column, y) = grey(y);
}

QStringList ReportFixture::printedFiles() const
{
    QStringList files;
    const QDir dir(outputDir.path());
    for (const QString &name : dir.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name))
        files.append(dir.filePath(name));
    return files;
}

QString ReportFixture::onlyPrintedFile() const
{
    const QStringList files = printedFiles();
    EXPECT_EQ(files.size(), 1) << files.join(QLatin1Char('\n')).toStdString();
    return files.value(0);
}

void ReportFixture::processDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void ReportFixture::showFaceMode()
{
    faceButton.setEnabled(false);
    lineButton.setEnabled(true);
}

void ReportFixture::showLineMode()
{
    faceButton.setEnabled(true);
    lineButton.setEnabled(false);
}

void ReportFixture::showNeitherMode()
{
    faceButton.setEnabled(true);
    lineButton.setEnabled(true);
}

} // namespace lumetra::testing
