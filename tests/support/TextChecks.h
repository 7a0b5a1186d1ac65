#pragma once

#include <QString>

namespace lumetra::test {

// True when the text holds a Chinese character (CJK ideographs and their punctuation), which a
// text meant for English readers never should.
inline bool containsChinese(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF) || (u >= 0x3000 && u <= 0x303F)
            || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

} // namespace lumetra::test
