#include "cli/CausticPlotRunner.h"

#include "cli/CliCommand.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace lumetra::cli {

bool isPlotSuffix(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("svg") || suffix == QLatin1String("pdf");
}

void plotCaustic(const beam::CausticSeries &series, const QString &outPath)
{
    const QString plotter = QCoreApplication::applicationDirPath() + QStringLiteral("/lumetra-caustic-plot");
    if (!QFileInfo(plotter).isExecutable())
        throw CliError(QStringLiteral("--plot needs %1, which is not there").arg(plotter));
    QProcess process;
    process.start(plotter, {outPath});
    if (!process.waitForStarted(30000))
        throw CliError(QStringLiteral("--plot: %1 does not start: %2").arg(plotter, process.errorString()));
    process.write(beam::causticSeriesToJson(series));
    process.closeWriteChannel();
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        throw CliError(QStringLiteral("--plot: the plotter did not finish within two minutes"));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        QString reason = QString::fromUtf8(process.readAllStandardError()).trimmed().section(QLatin1Char('\n'), 0, 0);
        if (reason.isEmpty())
            reason = QStringLiteral("the plotter failed (exit %1)").arg(process.exitCode());
        throw CliError(QStringLiteral("--plot: %1").arg(reason));
    }
}

} // namespace lumetra::cli
