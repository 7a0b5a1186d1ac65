// lumetra-caustic-plot OUT.png|.svg|.pdf: draws a beam caustic read as JSON from standard input
// ({"wavelength_nm": ..., "axes": [{"label", "z_mm": [...], "d_um": [...]}]}). lumetra-cli runs it
// for `m2 --plot`, so that the command-line tool itself never loads the chart library's widgets.
// Failures are one line on stderr and exit status 2.
#include "analysis/caustic/CausticSeries.h"
#include "caustic/CausticPlotFile.h"
#include "platform/system/ApplicationSetup.h"
#include "platform/system/InterfaceLanguage.h"

#include <QApplication>
#include <QFile>

#include <cstdio>

namespace {

void quietToolkitMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "lumetra-caustic-plot: %s\n", qPrintable(message));
}

int failWith(const QString &message)
{
    std::fprintf(stderr, "lumetra-caustic-plot: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(quietToolkitMessages);
    lumetra::prepareHeadlessEnvironment();
    QApplication app(argc, argv);
    lumetra::setupApplication(app);
    // The command line's plot speaks English, as the command line does.
    lumetra::applyInterfaceLanguage(app, lumetra::InterfaceLanguage::English);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-')))
        return failWith(QStringLiteral("usage: lumetra-caustic-plot OUT.png|.svg|.pdf < caustic.json"));
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return failWith(QStringLiteral("cannot read standard input"));
    QString error;
    const std::optional<lumetra::beam::CausticSeries> series =
        lumetra::beam::causticSeriesFromJson(input.readAll(), &error);
    if (!series)
        return failWith(error);
    if (!lumetra::saveCausticPlot(*series, args.first(), &error))
        return failWith(error);
    return 0;
}
