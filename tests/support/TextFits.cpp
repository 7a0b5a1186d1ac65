#include "support/TextFits.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

namespace lumetra::test {

QStringList cutTexts(const QWidget *window)
{
    QStringList cut;
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        QString text;
        if (const auto *label = qobject_cast<const QLabel *>(w)) {
            if (label->wordWrap() || label->text().isEmpty())
                continue;
            text = label->text();
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
            if (button->text().isEmpty())
                continue;
            text = button->text();
        } else {
            continue;
        }
        // A label's, a check box's and a radio button's size hint is their text's extent with the
        // margins and the indicator; a push or tool button's hint has a minimum width of the
        // style's, so its text with a little frame is what must fit.
        const bool pushed = qobject_cast<const QPushButton *>(w) || qobject_cast<const QToolButton *>(w);
        const int needed = pushed ? w->fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&'))) + 6
                                  : w->sizeHint().width();
        if (needed > w->width())
            cut << QStringLiteral("%1(%2): \"%3\" needs %4 px, has %5")
                       .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(), text)
                       .arg(needed)
                       .arg(w->width());
    }
    return cut;
}

} // namespace lumetra::test
