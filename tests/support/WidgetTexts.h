#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace lumetra::test {

// Every text a user can read in `window` and its children: window titles, labels, buttons,
// check boxes, group boxes, line edits' texts and placeholders, combo box items, tab names,
// table and tree headers and cells, the actions of menu bars and menus (with their sub-menus),
// tool tips and the status bar's message. Each entry is "ObjectClass(objectName): text".
QStringList widgetTexts(const QWidget *window);

// The entries of widgetTexts that hold a Chinese character (see TextChecks.h).
QStringList chineseTexts(const QWidget *window);

} // namespace lumetra::test
