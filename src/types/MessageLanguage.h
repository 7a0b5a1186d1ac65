#pragma once

#include <QString>

namespace lumetra {

// The language of the messages the layers under the windows give (file readers, devices, the
// batch): the interface's Chinese unless the process speaks English — the command line and
// Python always, the program when its interface is English. Process-wide; set it before the
// first message is made.
void setMessagesInEnglish(bool english);
bool messagesInEnglish();
// The text in the language in force; both are UTF-8.
QString messageText(const char *chinese, const char *english);

} // namespace lumetra
