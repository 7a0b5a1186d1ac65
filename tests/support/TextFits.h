#pragma once

#include <QStringList>

class QWidget;

namespace lumetra::test {

// The shown labels, buttons, check boxes and radio buttons of `window` whose text needs more
// width than they were given: a text cut off at its end, a caption running under the next
// control. Word-wrapping labels are left out (they fold rather than cut). Each entry is
// "ObjectClass(objectName): text needs N px, has M".
QStringList cutTexts(const QWidget *window);

} // namespace lumetra::test
