#pragma once

#include "types/PictureReaders.h"

namespace lumetra {

// The picture-file readers the program hands to the analysis: readFrameFile for frames at
// full depth, loadImageFile for pictures as displayed.
PictureReaders pictureFileReaders();

} // namespace lumetra
