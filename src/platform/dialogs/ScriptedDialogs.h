#pragma once

#include "platform/dialogs/Dialogs.h"

#include <QList>

#include <deque>

namespace lumetra {

// Dialogs for tests: answers come from queues filled beforehand and every question is recorded.
// An empty queue answers "cancel" (files, input) or the first button (Ok / Yes).
class ScriptedDialogs : public Dialogs
{
public:
    struct Message
    {
        QString text;
        QString title;
        Buttons buttons;
        Icon icon;
    };
    struct Input
    {
        QString prompt;
        QString title;
        QString defaultText;
    };

    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<QStringList>> filesAnswers; // openFiles
    std::deque<Answer> messageAnswers;
    std::deque<std::optional<QString>> inputAnswers;

    QList<FileRequest> openRequests;
    QList<FileRequest> saveRequests;
    QList<Message> messages;
    QList<Input> inputs;
    // The messages an input check gave for refused answers, in order.
    QStringList inputProblems;

    std::optional<QString> openFile(QWidget *parent, const FileRequest &request) override;
    std::optional<QStringList> openFiles(QWidget *parent, const FileRequest &request) override;
    std::optional<QString> saveFile(QWidget *parent, const FileRequest &request) override;
    Answer message(QWidget *parent, const QString &text, const QString &title, Buttons buttons,
                   Icon icon) override;
    std::optional<QString> input(QWidget *parent, const QString &prompt, const QString &title,
                                 const QString &defaultText, const InputCheck &check) override;
};

} // namespace lumetra
