#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace lumetra::testing {

// The texts of `window` that do not fit where they are shown: a visible label, button or check
// box narrower than its text needs, or a wrapped label shorter than its lines at its width.
// Each entry is "ObjectClass(objectName) 'text': width x height, needs w x h".
inline QStringList cutTexts(const QWidget *window)
{
    QStringList cut;
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        QString text;
        QSize needed = w->sizeHint();
        if (const auto *label = qobject_cast<const QLabel *>(w)) {
            text = label->text();
            if (label->wordWrap())
                needed = QSize(0, label->heightForWidth(label->width()));
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
            text = button->text();
        }
        if (text.isEmpty())
            continue;
        if (needed.width() > w->width() || needed.height() > w->height())
            cut << QStringLiteral("%1(%2) '%3': %4 x %5, needs %6 x %7")
                       .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(), text)
                       .arg(w->width())
                       .arg(w->height())
                       .arg(needed.width())
                       .arg(needed.height());
    }
    return cut;
}

} // namespace lumetra::testing
