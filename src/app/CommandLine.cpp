#include "app/CommandLine.h"

#include <QFileInfo>

namespace lumetra {

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine result;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == QLatin1String("--help") || argument == QLatin1String("-h"))) {
            result.help = true;
            return result;
        } else if (!optionsEnded && argument == QLatin1String("--version")) {
            result.version = true;
            return result;
        } else if (!optionsEnded && argument == QLatin1String("--simulated-camera")) {
            result.simulatedCamera = true;
        } else if (!optionsEnded && argument == QLatin1String("--camera")) {
            if (i + 1 >= arguments.size()) {
                result.error = QStringLiteral("--camera needs a camera id");
                return result;
            }
            result.camera = arguments[++i];
        } else if (!optionsEnded && argument == QLatin1String("--lang")) {
            const QString code = i + 1 < arguments.size() ? arguments[i + 1] : QString();
            if (code != QLatin1String("en") && code != QLatin1String("zh")) {
                result.error = QStringLiteral("--lang needs en or zh");
                return result;
            }
            result.language = code;
            ++i;
        } else if (!optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            result.error = QStringLiteral("unknown option: %1").arg(argument);
            return result;
        } else if (result.imagePath.isEmpty()) {
            if (argument.trimmed().isEmpty()) {
                result.error = QStringLiteral("the image name is empty");
                return result;
            }
            result.imagePath = QFileInfo(argument).absoluteFilePath();
        } else {
            result.error = QStringLiteral("only one image can be opened: %1").arg(argument);
            return result;
        }
    }
    return result;
}

QString commandLineUsage()
{
    return QStringLiteral("usage: lumetra [--simulated-camera | --camera ID] [--lang en|zh] [--] [IMAGE]\n"
                          "       lumetra --help | --version\n"
                          "The Lumetra workstation: beam widths (ISO 11146), M2, cameras and live measurement,\n"
                          "the intensity curves of light-spot pictures, reports.\n\n"
                          "  --simulated-camera  use a simulated capture card instead of a video device\n"
                          "  --camera ID         use a GenICam camera (IP address, id, serial or vendor-model-serial)\n"
                          "                      and open it in the capture window at start\n"
                          "  --lang en|zh        the interface's language (default: the one chosen in the program,\n"
                          "                      else English, or Chinese in a Chinese locale)\n"
                          "  --                  what follows is the image, even when it starts with '-'\n"
                          "  IMAGE               a picture to open in the workspace\n"
                          "  -h, --help          this text\n"
                          "  --version           the program's version\n\n"
                          "Exit status: 0 when the window was closed normally, 2 for arguments not understood.\n"
                          "Example: lumetra --simulated-camera spot.bmp\n"
                          "The command-line tool for scripts is lumetra-cli (see lumetra-cli --help).\n");
}

} // namespace lumetra
