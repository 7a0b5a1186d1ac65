#pragma once

#include "types/PictureReaders.h"

namespace lumetra {

// The picture-file readers the program hands to the analysis: readFrameFile for frames at
// full depth, loadImageFile for pictures as displayed.
PictureReaders pictureFileReaders();

// Loads Qt's image plug-ins on the calling thread, once per process. Every path that reads
// pictures and may hand work to other threads (the readers above, Python's read_frame) calls it
// first: plug-ins loaded by a short-lived worker thread outlive it.
void preloadImagePlugins();

} // namespace lumetra
