#pragma once

#include <QProgressBar>

namespace lumetra {

// The bar of both progress windows: 0..100 %, starting empty, without a percentage text.
inline QProgressBar *makePercentBar()
{
    auto *bar = new QProgressBar;
    bar->setObjectName(QStringLiteral("progressBar"));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

} // namespace lumetra
