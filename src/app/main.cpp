// lumetra [--simulated-camera] [IMAGE]: the Lumetra workstation.
#include "analysis/AnalysisState.h"
#include "analysis/SettingsFile.h"
#include "app/CommandLine.h"
#include "app/WindowProgress.h"
#include "app/WindowWiring.h"
#include "app/frmMain.h"
#include "caustic/CausticWindow.h"
#include "platform/AppContext.h"
#include "platform/ApplicationSetup.h"
#include "platform/CaptureService.h"
#include "platform/PointerControl.h"
#include "platform/ProgramLauncher.h"
#include "platform/QtDialogs.h"
#include "platform/Services.h"
#include "platform/SystemPrinterService.h"
#include "platform/XlsxWorkbookService.h"
#include "workspace/Frm_transact.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    lumetra::setupApplication(app);

    const lumetra::CommandLine commandLine = lumetra::parseCommandLine(QApplication::arguments());
    if (!commandLine.ok()) {
        std::fprintf(stderr, "lumetra: %s\n%s", qPrintable(commandLine.error),
                     qPrintable(lumetra::commandLineUsage()));
        return 2;
    }

    // An installed program keeps its settings in the user's folder; the first run starts there
    // from the defaults shipped beside the executable.
    lumetra::SettingsFile().seedFrom(QCoreApplication::applicationDirPath() + QStringLiteral("/configtext.txt"));

    // The shared state is large (the colour store alone is several megabytes): keep it off the stack.
    auto state = std::make_unique<lumetra::AnalysisState>();

    lumetra::QtDialogs dialogs;
    lumetra::SystemProgramLauncher launcher;
    lumetra::QtPointerControl pointer;
    lumetra::Services services;
    services.dialogs = &dialogs;
    services.launcher = &launcher;
    services.pointer = &pointer;
    lumetra::SystemPrinterService printer;
    services.printer = &printer;
    lumetra::XlsxWorkbookService workbook;
    services.workbook = &workbook;
    const std::unique_ptr<lumetra::CaptureService> capture =
        commandLine.simulatedCamera ? lumetra::CaptureService::simulated() : lumetra::CaptureService::v4l2();
    services.capture = capture.get();

    lumetra::WindowProgress progress;
    lumetra::AppContext context{*state, services, progress, nullptr, nullptr, {}, {}};
    progress.setWorkspaceLocator([&context]() -> QWidget * { return lumetra::Frm_transact::instance(context); });

    // The subsystems reach each other only through the context.
    lumetra::wireWindows(context);

    lumetra::frmMain window(context);
    progress.setOwner(&window);
    lumetra::CausticWindow::openOnTrigger(window.menuItem(QStringLiteral("m2_caustic")), context);
    QObject::connect(&window, &lumetra::frmMain::closed, &app, &QCoreApplication::quit);
    window.showOnScreen();

    if (!commandLine.imagePath.isEmpty())
        QTimer::singleShot(0, &window,
                           [&window, &commandLine] { window.openImageFile(commandLine.imagePath); });

    return QApplication::exec();
}
