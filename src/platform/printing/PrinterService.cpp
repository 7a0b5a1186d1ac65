#include "platform/printing/PrinterService.h"

#include <QCoreApplication>
#include <algorithm>

namespace lumetra {

PrintOutcome PrinterService::printImage(const QString &reportName, const QImage &image)
{
    if (image.isNull())
        return PrintOutcome::failed(QCoreApplication::translate("PrinterService", "没有可打印的内容"));
    PrintOutcome failure;
    std::unique_ptr<PrinterPage> page = beginDocument(reportName, failure);
    if (!page)
        return failure;
    double width = image.width() * TwipsPerScreenPixel;
    double height = image.height() * TwipsPerScreenPixel;
    const double shrink = std::min({1.0, page->pageWidth() / width, page->pageHeight() / height});
    width *= shrink;
    height *= shrink;
    page->drawImage(QRectF(0, 0, width, height), image);
    return page->endDocument();
}

} // namespace lumetra
