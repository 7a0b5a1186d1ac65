#include "platform/display/ColourBar.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace lumetra {

namespace {
constexpr int Ticks = 5;
constexpr int Margin = 6;
constexpr int BarWidth = 14;
} // namespace

ColourBar::ColourBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("colourBar"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ColourBar::setScale(const FalseColourChoice &choice, double low, double high, double fullScale)
{
    if (choice == m_choice && low == m_low && high == m_high && fullScale == m_fullScale)
        return;
    m_choice = choice;
    m_low = low;
    m_high = std::max(high, low + 1e-9);
    m_fullScale = std::max(fullScale, 1e-9);
    update();
}

QStringList ColourBar::tickTexts() const
{
    QStringList texts;
    const int decimals = m_high - m_low >= 20 ? 0 : 1;
    for (int i = 0; i < Ticks; ++i) {
        const double code = m_low + (m_high - m_low) * i / (Ticks - 1);
        texts << tr("%1 · %2 %").arg(code, 0, 'f', decimals).arg(100.0 * code / m_fullScale, 0, 'f', 0);
    }
    return texts;
}

QSize ColourBar::sizeHint() const
{
    const QFontMetrics metrics(font());
    int text = metrics.horizontalAdvance(tr("码值 · 满量程"));
    for (const QString &t : tickTexts())
        text = std::max(text, metrics.horizontalAdvance(t));
    return {Margin * 3 + BarWidth + text, 220};
}

void ColourBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 150));
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    painter.setPen(Qt::white);
    int top = Margin;
    painter.drawText(QRect(Margin, top, width() - 2 * Margin, line), Qt::AlignLeft, tr("码值 · 满量程"));
    top += line + 2;
    // The colours that are no level of the palette: the signal colour and the black below the noise.
    const auto swatch = [&](QRgb colour, const QString &text) {
        painter.fillRect(QRect(Margin, top + 2, BarWidth, line - 4), QColor(colour));
        painter.drawText(QRect(2 * Margin + BarWidth, top, width(), line), Qt::AlignLeft | Qt::AlignVCenter, text);
        top += line;
    };
    if (m_choice.markSaturated)
        swatch(saturationColour(m_choice.palette), tr("饱和"));
    if (m_choice.noiseBlack)
        swatch(qRgb(0, 0, 0), tr("噪声以下"));
    top += line / 2;
    const int bottom = height() - Margin - line / 2;
    if (bottom - top < 2 * line)
        return;
    const auto &table = paletteTable(m_choice.palette);
    for (int y = top; y <= bottom; ++y) {
        const double t = double(bottom - y) / double(bottom - top);
        painter.setPen(QColor(table[std::size_t(std::lround(t * 255.0))]));
        painter.drawLine(Margin, y, Margin + BarWidth - 1, y);
    }
    painter.setPen(Qt::white);
    const QStringList texts = tickTexts();
    for (int i = 0; i < Ticks; ++i) {
        const int y = bottom - int(std::lround(double(bottom - top) * i / (Ticks - 1)));
        painter.drawLine(Margin + BarWidth, y, Margin + BarWidth + 3, y);
        painter.drawText(QRect(2 * Margin + BarWidth, y - line / 2, width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                         texts[i]);
    }
}

} // namespace lumetra
