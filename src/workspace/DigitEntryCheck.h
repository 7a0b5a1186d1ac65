#pragma once

#include <QString>

class QLineEdit;

namespace lumetra {

// The entry rule of the settings boxes: while the text holds a character other than the ASCII
// digits or its value exceeds limit, its last character is removed. An empty text is allowed.
QString checkedDigitEntry(QString text, int limit);

// Applies checkedDigitEntry after every change of the box's text (typed or pasted).
void installDigitEntryCheck(QLineEdit *box, int limit);

} // namespace lumetra
