#include "RecordingPage.h"

#include <cmath>

namespace lumetra::testing {

double RecordingPage::textWidth(const QString &text) const
{
    return text.size() * m_fontSize * 20 * (m_bold ? 1.1 : 1.0);
}

double RecordingPage::textHeight(const QString &) const
{
    return m_fontSize * 20 * 1.5;
}

void RecordingPage::print(const QString &text)
{
    texts.append({text, m_x, m_y, m_fontSize, m_bold});
    m_x = 0;
    m_y += textHeight(text);
}

void RecordingPage::line(double x1, double y1, double x2, double y2, Colour colour)
{
    lines.append({x1, y1, x2, y2, colour});
}

void RecordingPage::drawImage(const QRectF &target, const QImage &)
{
    images.append(target);
}

PrintOutcome RecordingPage::endDocument()
{
    ++ended;
    return PrintOutcome::printed(QStringLiteral("recorder"));
}

QList<RecordingPage::Text> RecordingPage::textsEqual(const QString &text) const
{
    QList<Text> found;
    for (const Text &t : texts)
        if (t.text == text)
            found.append(t);
    return found;
}

bool RecordingPage::hasLine(double x1, double y1, double x2, double y2) const
{
    auto near = [](double a, double b) { return std::abs(a - b) < 0.01; };
    for (const Line &l : lines)
        if (near(l.x1, x1) && near(l.y1, y1) && near(l.x2, x2) && near(l.y2, y2))
            return true;
    return false;
}

} // namespace lumetra::testing
