#include "platform/framefiles/PictureFiles.h"

#include "platform/framefiles/FrameFile.h"
#include "platform/framefiles/ImageLoader.h"

namespace lumetra {

PictureReaders pictureFileReaders()
{
    return {[](const QString &path) { return readFrameFile(path); },
            [](const QString &path) { return loadImageFile(path); }};
}

} // namespace lumetra
