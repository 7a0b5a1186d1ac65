#pragma once

#include <QString>
#include <QStringList>

namespace lumetra {

// lumetra [--simulated-camera | --camera ID] [--lang en|zh] [IMAGE] | --help | --version
struct CommandLine
{
    bool simulatedCamera = false; // use the simulated capture card instead of a video device
    QString camera;               // --camera ID: the capture window's device (GenICam camera id)
    QString imagePath;            // absolute path of the picture to open at start, or empty
    QString language;             // --lang: "en" or "zh"; empty: the chosen or the system's
    bool help = false;            // --help or -h: print the usage and stop
    bool version = false;         // --version: print the version and stop
    QString error;                // non-empty when the arguments were not understood

    bool ok() const { return error.isEmpty(); }
};

// arguments as QCoreApplication::arguments() gives them (program name first). --help and
// --version end the parsing: what follows them is not looked at.
CommandLine parseCommandLine(const QStringList &arguments);

QString commandLineUsage();

} // namespace lumetra
