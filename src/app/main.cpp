// lumetra [--simulated-camera | --camera ID] [IMAGE]: the Lumetra workstation.
#include "LumetraVersion.h"
#include "analysis/AnalysisState.h"
#include "platform/settings/PixelBudgetSetting.h"
#include "app/CommandLine.h"
#include "app/progress/WindowProgress.h"
#include "app/WindowWiring.h"
#include "app/MainWindow.h"
#include "caustic/CausticWindow.h"
#include "platform/ports/AppContext.h"
#include "platform/system/ApplicationSetup.h"
#include "platform/system/InterfaceLanguage.h"
#include "devices/CaptureService.h"
#include "platform/dialogs/PointerControl.h"
#include "platform/system/ProgramLauncher.h"
#include "platform/dialogs/FolderRememberingDialogs.h"
#include "platform/dialogs/QtDialogs.h"
#include "platform/settings/FolderMemory.h"
#include "platform/ports/Services.h"
#include "platform/printing/SystemPrinterService.h"
#include "platform/workbook/XlsxWorkbookService.h"
#include "workspace/WorkspaceWindow.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    // --help and --version are answered before the application object exists, without a display.
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    if (const lumetra::CommandLine early = lumetra::parseCommandLine(rawArguments); early.help || early.version) {
        const QString text = early.help ? lumetra::commandLineUsage()
                                        : QStringLiteral("lumetra " LUMETRA_VERSION_DESCRIBED "\n");
        std::fputs(qPrintable(text), stdout);
        return std::fflush(stdout) == 0 ? 0 : 2;
    }

    QApplication app(argc, argv);
    lumetra::setupApplication(app);

    // Qt's own options (-platform, -style ...) are gone from the arguments now.
    const lumetra::CommandLine commandLine = lumetra::parseCommandLine(QApplication::arguments());
    if (!commandLine.ok()) {
        std::fprintf(stderr, "lumetra: %s\n%s", qPrintable(commandLine.error),
                     qPrintable(lumetra::commandLineUsage()));
        return 2;
    }

    lumetra::applyInterfaceLanguage(app, lumetra::chooseInterfaceLanguage(lumetra::languageNamed(commandLine.language),
                                                                          lumetra::savedInterfaceLanguage(),
                                                                          QLocale::system()));

    // The largest frame the readers decode (frames/maxPixels in lumetra.ini).
    lumetra::applyPixelBudgetSetting();

    // The shared state is large (the colour store alone is several megabytes): keep it off the stack.
    auto state = std::make_unique<lumetra::AnalysisState>();

    lumetra::QtDialogs qtDialogs;
    // File dialogs start where the pictures (or their own files) were last time.
    lumetra::FolderMemory folders;
    lumetra::FolderRememberingDialogs dialogs(qtDialogs, folders);
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
        !commandLine.camera.isEmpty()  ? lumetra::CaptureService::forId(commandLine.camera)
        : commandLine.simulatedCamera ? lumetra::CaptureService::simulated()
                                      : lumetra::CaptureService::v4l2();
    services.capture = capture.get();

    lumetra::WindowProgress progress;
    lumetra::AppContext context{services, progress, nullptr, nullptr, {}, {}};
    progress.setWorkspaceLocator([&context]() -> QWidget * { return lumetra::WorkspaceWindow::instance(context); });

    // The subsystems reach each other only through the context.
    lumetra::wireWindows(context, *state);

    lumetra::MainWindow window(context);
    progress.setOwner(&window);
    lumetra::CausticWindow::openOnTrigger(window.menuItem(QStringLiteral("m2_caustic")), context);
    QObject::connect(&window, &lumetra::MainWindow::closed, &app, &QCoreApplication::quit);
    window.showOnScreen();

    // A camera named on the command line is opened in the capture window at once.
    if (!commandLine.camera.isEmpty())
        QTimer::singleShot(0, &window, [&window] { window.conn_capture_Click(); });
    if (!commandLine.imagePath.isEmpty())
        QTimer::singleShot(0, &window,
                           [&window, &commandLine] { window.openImageFile(commandLine.imagePath); });

    return QApplication::exec();
}
