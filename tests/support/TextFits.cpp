#include "support/TextFits.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

namespace lumetra::test {

namespace {

QString describe(const QWidget *w)
{
    return QStringLiteral("%1(%2)").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
}

bool isControl(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractButton *>(w) ||
           qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w);
}

bool isDecoration(const QWidget *w)
{
    const QByteArray type = w->metaObject()->className();
    return type == "QFrame" || type == "QWidget";
}

} // namespace

QStringList cutTexts(const QWidget *window)
{
    QStringList cut;
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        QString text;
        Qt::Alignment alignment = Qt::AlignLeft;
        if (const auto *label = qobject_cast<const QLabel *>(w)) {
            if (label->wordWrap() || label->text().isEmpty())
                continue;
            text = label->text();
            alignment = label->alignment();
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
        const int needed =
            pushed ? w->fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&'))) + 6
                   : w->sizeHint().width();
        if (needed > w->width()) {
            cut << QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                       .arg(describe(w), text)
                       .arg(needed)
                       .arg(w->width());
            continue;
        }
        // Overlay texts (the curves' readouts) are laid over their plots on purpose.
        if (pushed || w->testAttribute(Qt::WA_TransparentForMouseEvents))
            continue;
        // The text itself must not run under a control or a view placed beside it (plain frames
        // are decoration, and a widget wholly under the text's is its background).
        const int left = alignment & Qt::AlignRight     ? w->width() - needed
                         : alignment & Qt::AlignHCenter ? (w->width() - needed) / 2
                                                        : 0;
        const QRect shown(w->x() + left, w->y(), needed, w->height());
        for (const QObject *o : w->parent()->children()) {
            const auto *other = qobject_cast<const QWidget *>(o);
            if (other && other != w && other->isVisibleTo(window) &&
                !other->testAttribute(Qt::WA_TransparentForMouseEvents) &&
                (isControl(other) || (!isDecoration(other) && !other->geometry().contains(w->geometry()))) &&
                other->geometry().intersects(shown))
                cut << QStringLiteral("%1: \"%2\" runs under %3").arg(describe(w), text, describe(other));
        }
    }
    return cut;
}

} // namespace lumetra::test
