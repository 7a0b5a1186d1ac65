#pragma once

namespace lumetra {

// The capture card's properties and methods by their dispatch identifiers.
namespace CardId {
enum : int {
    Standard = 12,   // property 0..2: NTSC, PAL, SECAM
    Brightness = 13, // property 0..10000
    Contrast = 14,
    Hue = 15,
    Source = 16, // property 0..4
    Saturation = 17,
    Exit = 18,                // release the card
    SaveBmp = 23,             // (path) -> saved
    SaveJpeg = 24,            // (path, quality) -> saved
    VideoPropertyDialog = 30, // the card's own dialogs
    CrossbarDialog = 31,
    PreviewDialog = 32,
    SetFormat = 34, // (width, height, subtype) -> accepted
    Run = 36,
    Pause = 37,
    Stop = 38,
    VideoWidth = 47, // reads
    VideoHeight = 48,
    SubType = 49,
    Channel = 53, // (flag) -> channel number, negative: no card
    Signal = 55,  // read: a signal is present
};
} // namespace CardId

} // namespace lumetra
