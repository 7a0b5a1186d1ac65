#include "platform/framefiles/PixelBudget.h"

#include "types/MessageLanguage.h"
#include "platform/framefiles/ImageLoader.h"

#include <atomic>

namespace lumetra {

namespace {
std::atomic<qint64> budget{DefaultPixelBudget};
}

qint64 pixelBudget()
{
    return budget.load(std::memory_order_relaxed);
}

void setPixelBudget(qint64 pixels)
{
    budget.store(pixels > 0 ? pixels : DefaultPixelBudget, std::memory_order_relaxed);
}

QString pixelBudgetRefusal(qint64 width, qint64 height)
{
    if (width > MaxImageSide || height > MaxImageSide)
        return messageText("图像尺寸不合理 (%1 x %2)", "the picture size is not plausible (%1 x %2)").arg(width).arg(height);
    if (width * height > pixelBudget())
        return messageText("图像尺寸不合理 (%1 x %2，超过 %3 像素的上限)", "the picture size is not plausible (%1 x %2, over the limit of %3 pixels)")
            .arg(width)
            .arg(height)
            .arg(pixelBudget());
    return {};
}

} // namespace lumetra
