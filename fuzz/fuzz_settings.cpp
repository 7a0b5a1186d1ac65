// The two-line settings file on arbitrary bytes: read back, its width taken as a number, and
// written again unchanged.
#include "FuzzFile.h"

#include "platform/settings/SettingsFile.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = lumetra::fuzz::writeInput(".txt", data, size);
    const lumetra::SettingsFile file(path);
    const auto settings = file.read();
    if (!settings)
        std::abort(); // the file exists and is readable
    if (!std::isfinite(file.integrationWidth()))
        std::abort();
    QString error;
    if (file.write(settings->width, settings->interval, &error)) {
        const auto again = file.read();
        if (!again || again->width != settings->width || again->interval != settings->interval)
            std::abort();
    }
    return 0;
}
