#include "support/WidgetTexts.h"

#include "support/TextChecks.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QWidget>

namespace lumetra::test {

namespace {

void add(QStringList &texts, const QObject *owner, const QString &text)
{
    if (!text.trimmed().isEmpty())
        texts << QStringLiteral("%1(%2): %3").arg(QString::fromLatin1(owner->metaObject()->className()), owner->objectName(), text);
}

void addActions(QStringList &texts, const QWidget *widget)
{
    for (const QAction *action : widget->actions()) {
        add(texts, action, action->text());
        add(texts, action, action->toolTip() != action->text().remove(QLatin1Char('&')) ? action->toolTip() : QString());
        if (const QMenu *menu = action->menu())
            addActions(texts, menu);
    }
}

void addModel(QStringList &texts, const QAbstractItemView *view)
{
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    for (int c = 0; c < model->columnCount(); ++c)
        add(texts, view, model->headerData(c, Qt::Horizontal).toString());
    for (int r = 0; r < std::min(model->rowCount(), 200); ++r) {
        add(texts, view, model->headerData(r, Qt::Vertical).toString());
        for (int c = 0; c < model->columnCount(); ++c)
            add(texts, view, model->index(r, c).data().toString());
    }
}

} // namespace

QStringList widgetTexts(const QWidget *window)
{
    QStringList texts;
    QList<const QWidget *> widgets{window};
    for (const QWidget *w : window->findChildren<QWidget *>())
        widgets << w;
    for (const QWidget *w : std::as_const(widgets)) {
        add(texts, w, w->windowTitle());
        add(texts, w, w->toolTip());
        if (const auto *label = qobject_cast<const QLabel *>(w))
            add(texts, w, label->text());
        else if (const auto *button = qobject_cast<const QAbstractButton *>(w))
            add(texts, w, button->text());
        else if (const auto *group = qobject_cast<const QGroupBox *>(w))
            add(texts, w, group->title());
        else if (const auto *edit = qobject_cast<const QLineEdit *>(w)) {
            add(texts, w, edit->text());
            add(texts, w, edit->placeholderText());
        } else if (const auto *combo = qobject_cast<const QComboBox *>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                add(texts, w, combo->itemText(i));
        } else if (const auto *tabs = qobject_cast<const QTabBar *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(texts, w, tabs->tabText(i));
        } else if (const auto *view = qobject_cast<const QAbstractItemView *>(w)) {
            addModel(texts, view);
        } else if (const auto *status = qobject_cast<const QStatusBar *>(w)) {
            add(texts, w, status->currentMessage());
        }
        if (qobject_cast<const QMenuBar *>(w) || qobject_cast<const QMenu *>(w) || w == window)
            addActions(texts, w);
    }
    return texts;
}

QStringList chineseTexts(const QWidget *window)
{
    QStringList chinese;
    for (const QString &text : widgetTexts(window))
        if (containsChinese(text))
            chinese << text;
    return chinese;
}

} // namespace lumetra::test
