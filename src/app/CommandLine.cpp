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
        } else if (!optionsEnded && argument == QLatin1String("--simulated-camera")) {
            result.simulatedCamera = true;
        } else if (!optionsEnded && argument == QLatin1String("--camera")) {
            if (i + 1 >= arguments.size()) {
                result.error = QStringLiteral("--camera needs a camera id");
                return result;
            }
            result.camera = arguments[++i];
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
    return QStringLiteral("usage: lumetra [--simulated-camera | --camera ID] [IMAGE]\n"
                          "  --simulated-camera  use a simulated capture card instead of a video device\n"
                          "  --camera ID         use a GenICam camera (IP address, id, serial or vendor-model-serial)\n"
                          "  IMAGE               a BMP or JPEG picture to open in the workspace\n");
}

} // namespace lumetra
