#include "types/MessageLanguage.h"

#include <atomic>

namespace lumetra {

namespace {
std::atomic<bool> english{false};
}

void setMessagesInEnglish(bool inEnglish)
{
    english = inEnglish;
}

bool messagesInEnglish()
{
    return english;
}

QString messageText(const char *chinese, const char *inEnglish)
{
    return QString::fromUtf8(english ? inEnglish : chinese);
}

} // namespace lumetra
