#pragma once

#include <QString>

namespace lumetra {

// The language of what the devices say (refusals, failures, progress): the interface's Chinese
// unless a caller with English users (the command line, Python) asks for English. Process-wide;
// set it before the first device is opened.
void setDeviceMessagesInEnglish(bool english);
bool deviceMessagesInEnglish();
// The text in the language in force; both are UTF-8.
QString deviceText(const char *chinese, const char *english);

} // namespace lumetra
