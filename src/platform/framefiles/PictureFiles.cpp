#include "platform/framefiles/PictureFiles.h"

#include "platform/framefiles/FrameFile.h"
#include "platform/framefiles/ImageLoader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <mutex>

namespace lumetra {

// Qt's image plug-ins are loaded by the first reader that asks for them and then live in that
// thread. Loaded by a batch's worker thread without a Qt application, they outlive the thread
// and corrupt the heap at exit; so they are loaded once here, on the thread that hands the
// readers out, by asking every plug-in about a few bytes that are no picture.
void preloadImagePlugins()
{
    static std::once_flag loaded;
    std::call_once(loaded, [] {
        QByteArray bytes("no picture");
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        (void)reader.canRead();
    });
}

PictureReaders pictureFileReaders()
{
    preloadImagePlugins();
    return {[](const QString &path) { return readFrameFile(path); },
            [](const QString &path) { return loadImageFile(path); }};
}

} // namespace lumetra
