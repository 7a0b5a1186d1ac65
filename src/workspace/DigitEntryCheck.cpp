#include "workspace/DigitEntryCheck.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace lumetra {

QString digitEntryProblem(const QString &text, int limit)
{
    long long value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QCoreApplication::translate("DigitEntryCheck", "只能输入数字");
        // Capped so that a long pasted number cannot overflow.
        value = std::min<long long>(value * 10 + (c.unicode() - '0'), static_cast<long long>(limit) + 1);
    }
    return value > limit ? QCoreApplication::translate("DigitEntryCheck", "最大为 %1").arg(limit) : QString();
}

void installDigitEntryCheck(QLineEdit *box, int limit, QLabel *message)
{
    message->setStyleSheet(QStringLiteral("color: #c00000;"));
    message->hide();
    QObject::connect(box, &QLineEdit::textChanged, message, [message, limit](const QString &text) {
        const QString problem = digitEntryProblem(text, limit);
        message->setText(problem);
        message->adjustSize();
        message->setVisible(!problem.isEmpty());
    });
}

} // namespace lumetra
