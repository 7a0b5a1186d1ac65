#pragma once

#include <QByteArray>

namespace lumetra {

// The CJK faces draw a Kangxi radical (U+2F00–U+2FDF) or a radical of the supplement
// (U+2E80–U+2EFF) and the ideograph it looks like with one glyph; the PDF writer names each glyph
// by the lowest character that uses it, so text copied or searched in the page reads 文 as ⽂.
// Rewrites the ToUnicode maps of `pdf` so that such glyphs read as the ideograph again (codes are
// the same length, so no offset in the file moves). Returns how many entries it changed.
int mapRadicalsToIdeographs(QByteArray &pdf);

} // namespace lumetra
