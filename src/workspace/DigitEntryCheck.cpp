#include "workspace/DigitEntryCheck.h"

#include <QLineEdit>

#include <algorithm>

namespace lumetra {

namespace {

bool acceptable(const QString &text, int limit)
{
    long long value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        // Capped so that a long pasted number cannot overflow.
        value = std::min<long long>(value * 10 + (c.unicode() - '0'), static_cast<long long>(limit) + 1);
    }
    return value <= limit;
}

} // namespace

QString checkedDigitEntry(QString text, int limit)
{
    while (!text.isEmpty() && !acceptable(text, limit))
        text.chop(1);
    return text;
}

void installDigitEntryCheck(QLineEdit *box, int limit)
{
    QObject::connect(box, &QLineEdit::textChanged, box, [box, limit](const QString &text) {
        const QString checked = checkedDigitEntry(text, limit);
        if (checked == text)
            return;
        const int cursor = std::min<int>(box->cursorPosition(), static_cast<int>(checked.size()));
        box->setText(checked);
        box->setCursorPosition(cursor);
    });
}

} // namespace lumetra
