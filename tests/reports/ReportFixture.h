#pragma once

#include "analysis/AnalysisState.h"
#include "types/ProgressWindows.h"
#include "platform/ports/AppContext.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/printing/ScriptedPrinter.h"
#include "platform/ports/Services.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace lumetra::testing {

// A context for the report windows: a state filled by the test, scripted dialogs and a printer
// that writes its PDF files into a temporary folder. No main frame: windows are top-level.
class ReportFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Grey values of the cut line; a horizontal cut at row 192 unless said otherwise.
    void setRow(int row, const std::function<int(int x)> &grey);
    void setColumn(int column, const std::function<int(int y)> &grey);
    // The PDF files the printer wrote, full paths, sorted.
    QStringList printedFiles() const;
    // The one PDF the test expects; fails the test when there is not exactly one.
    QString onlyPrintedFile() const;
    // Lets windows that closed themselves be destroyed.
    static void processDeletes();

    QTemporaryDir outputDir;
    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    ScriptedDialogs dialogs;
    std::unique_ptr<ScriptedPrinter> printer;
    Services services;
    SilentProgress progress;
    std::unique_ptr<AppContext> context;

    // Stand-ins for a curve window's two mode buttons; face mode (face button disabled) at start.
    QPushButton faceButton;
    QPushButton lineButton;
    void showFaceMode();
    void showLineMode();
    void showNeitherMode();
};

} // namespace lumetra::testing
