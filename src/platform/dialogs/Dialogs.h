#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace lumetra {

// The modal questions the program asks: file dialogs, message boxes and the input box.
// The program uses QtDialogs; tests script the answers with ScriptedDialogs and never block.
class Dialogs
{
public:
    // Filters are label|patterns pairs, "Bitmaps|*.bmp|JPEG Images|*.jpg;*.jpeg"; the dialog shows
    // each label followed by its patterns, so the labels carry none.
    struct FileRequest
    {
        QString title;
        QString initialDirectory; // "c:\" (or empty) stands for the user's home directory
        QString filter;
        int filterIndex = 1;      // 1-based, as the filter string counts its entries
        QString defaultSuffix;    // without the dot
        QString fileName;         // proposed name
    };

    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    // The chosen path, or nothing when the operator cancels.
    virtual std::optional<QString> openFile(QWidget *parent, const FileRequest &request) = 0;
    // Several existing files chosen at once; nothing (never an empty list) when cancelled.
    virtual std::optional<QStringList> openFiles(QWidget *parent, const FileRequest &request) = 0;
    // The chosen path, or nothing when cancelled. Never asks about overwriting: callers do.
    virtual std::optional<QString> saveFile(QWidget *parent, const FileRequest &request) = 0;
    virtual Answer message(QWidget *parent, const QString &text, const QString &title = QString(),
                           Buttons buttons = Buttons::Ok, Icon icon = Icon::None) = 0;
    // What is wrong with an answer, or an empty text when it is acceptable.
    using InputCheck = std::function<QString(const QString &answer)>;

    // The text entered, or nothing when cancelled. With a check, an answer it refuses is not
    // returned: the box stays open and shows the check's message until the answer is acceptable
    // or the box is cancelled.
    virtual std::optional<QString> input(QWidget *parent, const QString &prompt, const QString &title,
                                         const QString &defaultText, const InputCheck &check) = 0;
};

// Turns "Desc|*.a|Other|*.b;*.c" into Qt's "Desc (*.a)" and "Other (*.b *.c)" entries.
QStringList qtFilterList(const QString &filter);
// "c:\" and empty mean the home directory; anything else is used as it stands.
QString resolveInitialDirectory(const QString &directory);

} // namespace lumetra
