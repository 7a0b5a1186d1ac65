// The frame-file dispatcher on arbitrary bytes in a file: PGM/PPM and PNG directly, BMP, JPEG,
// TIFF and the rest through Qt's readers, with either PNG decoder.
#include "FuzzFile.h"

#include "platform/framefiles/FrameFile.h"
#include "platform/framefiles/PixelBudget.h"

#include <QGuiApplication>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // Qt's image plugins (JPEG, TIFF)
    // Small frames keep each run short; the budget check itself is what is exercised.
    lumetra::setPixelBudget(4'000'000);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = lumetra::fuzz::writeInput(".img", data, size);
    for (const auto decoder : {lumetra::PngDecoder::Fast, lumetra::PngDecoder::Qt}) {
        const lumetra::FrameReadResult r = lumetra::readFrameFile(path, decoder);
        const auto &f = r.frame;
        if (r.ok() && (f.width <= 0 || f.height <= 0 ||
                       f.values.size() != std::size_t(f.width) * std::size_t(f.height)))
            std::abort();
        if (!r.ok() && !r.error.contains(path))
            std::abort(); // every refusal names the file
    }
    return 0;
}
