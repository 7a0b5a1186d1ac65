#include "devices/DeviceText.h"

#include <atomic>

namespace lumetra {

namespace {
std::atomic<bool> english{false};
}

void setDeviceMessagesInEnglish(bool inEnglish)
{
    english = inEnglish;
}

bool deviceMessagesInEnglish()
{
    return english;
}

QString deviceText(const char *chinese, const char *inEnglish)
{
    return QString::fromUtf8(english ? inEnglish : chinese);
}

} // namespace lumetra
