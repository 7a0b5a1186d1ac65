// main() of every benchmark: an application object without a display (unless one is asked for,
// e.g. xvfb-run with QT_QPA_PLATFORM=xcb), then Google Benchmark.
#include "platform/system/ApplicationSetup.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    lumetra::prepareHeadlessEnvironment();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
