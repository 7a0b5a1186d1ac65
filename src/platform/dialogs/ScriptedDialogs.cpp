#include "platform/dialogs/ScriptedDialogs.h"

namespace lumetra {

namespace {

template<typename T> std::optional<T> take(std::deque<T> &queue)
{
    if (queue.empty())
        return std::nullopt;
    T value = queue.front();
    queue.pop_front();
    return value;
}

} // namespace

std::optional<QString> ScriptedDialogs::openFile(QWidget *, const FileRequest &request)
{
    openRequests << request;
    return take(fileAnswers).value_or(std::nullopt);
}

std::optional<QStringList> ScriptedDialogs::openFiles(QWidget *, const FileRequest &request)
{
    openRequests << request;
    return take(filesAnswers).value_or(std::nullopt);
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget *, const FileRequest &request)
{
    saveRequests << request;
    return take(fileAnswers).value_or(std::nullopt);
}

Dialogs::Answer ScriptedDialogs::message(QWidget *, const QString &text, const QString &title,
                                         Buttons buttons, Icon icon)
{
    messages << Message{text, title, buttons, icon};
    if (auto answer = take(messageAnswers))
        return *answer;
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

std::optional<QString> ScriptedDialogs::input(QWidget *, const QString &prompt, const QString &title,
                                              const QString &defaultText, const InputCheck &check)
{
    inputs << Input{prompt, title, defaultText};
    for (;;) {
        const std::optional<QString> answer = take(inputAnswers).value_or(std::nullopt);
        const QString problem = answer && check ? check(*answer) : QString();
        if (problem.isEmpty())
            return answer;
        inputProblems << problem; // shown under the box; the next answer is typed into it
    }
}

} // namespace lumetra
