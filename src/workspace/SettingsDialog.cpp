#include "workspace/SettingsDialog.h"

#include "platform/settings/SettingsFile.h"
#include "platform/ports/CurveViewPort.h"
#include "platform/dialogs/Dialogs.h"
#include "workspace/DigitEntryCheck.h"
#include "workspace/WorkspaceGeometry.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace lumetra {

namespace {

// Leading and trailing ASCII blanks removed; other characters (an ideographic space among
// them) are left for the entry check to judge.
QString trimBlanks(const QString &text)
{
    qsizetype begin = 0, end = text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QLabel *label(const QString &name, const QString &caption, QWidget *parent, int x, int y)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->adjustSize();
    l->move(x, y);
    return l;
}

QLineEdit *entry(const QString &name, QWidget *parent, int x, int y)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(x, y, 73, 23);
    return box;
}

// One entry's group box: `name` + "Group" at `geometry`, the caption `name` + "Caption" at
// (16, captionY), the entry "Text<index>" at (136, entryY) and under it the empty label
// "Problem<index>" where its problem is shown.
QGroupBox *entryGroup(QWidget *parent, const QString &name, const QRect &geometry, const QString &caption,
                      int captionY, int entryY, const QString &index, QLineEdit *&text, QLabel *&problem)
{
    auto *group = new QGroupBox(parent);
    group->setObjectName(name + QStringLiteral("Group"));
    group->setGeometry(geometry);
    label(name + QStringLiteral("Caption"), caption, group, 16, captionY);
    text = entry(QStringLiteral("Text") + index, group, 136, entryY);
    problem = label(QStringLiteral("Problem") + index, QString(), group, 136, entryY + 26);
    return group;
}

QPushButton *button(const QString &name, const QString &caption, QWidget *parent, int x, int y)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, 65, 33);
    return b;
}

} // namespace


SettingsDialog *SettingsDialog::instance(const AppContext &context)
{
    return context.singleWindow<SettingsDialog>(QStringLiteral("SettingsDialog"));
}

SettingsDialog *SettingsDialog::showDialog(AppContext &context)
{
    if (!instance(context)) {
        auto *form = new SettingsDialog(context);
        form->load();
    }
    showChildWindow(context, instance(context), workspace::SettingsPosition);
    return instance(context);
}

void SettingsDialog::setSettingsPath(const QString &path)
{
    SettingsFile::setProgramPath(path);
}

QString SettingsDialog::settingsPath()
{
    return SettingsFile::programPath();
}

SettingsDialog::SettingsDialog(AppContext &context) : m_context(context)
{
    registerSingleWindow(context, this, QStringLiteral("SettingsDialog"), tr("设置"));
    setFixedSize(312, 261);

    QGroupBox *interval =
        entryGroup(this, QStringLiteral("interval"), QRect(16, 8, 280, 98), tr("光强值显示间隔："), 26, 22,
                   QStringLiteral("1"), m_interval.text, m_interval.problem);
    label(QStringLiteral("intervalRange"), tr("有效范围：0-20的数字"), interval, 16, 70);
    entryGroup(this, QStringLiteral("width"), QRect(16, 114, 280, 80), tr("积分宽度："), 30, 26,
               QStringLiteral("2"), m_width.text, m_width.problem);

    m_ok = button(QStringLiteral("ok"), tr("确定"), this, 64, 208);
    m_cancel = button(QStringLiteral("cancel"), tr("取消"), this, 176, 208);

    installDigitEntryCheck(m_interval.text, IntervalLimit, m_interval.problem);
    installDigitEntryCheck(m_width.text, WidthLimit, m_width.problem);
    // Only acceptable entries can be saved; the red messages say what to mend.
    for (QLineEdit *box : {m_interval.text, m_width.text})
        connect(box, &QLineEdit::textChanged, this, [this] {
            m_ok->setEnabled(digitEntryProblem(m_interval.text->text(), IntervalLimit).isEmpty() &&
                             digitEntryProblem(m_width.text->text(), WidthLimit).isEmpty());
        });
    connect(m_ok, &QPushButton::clicked, this, [this] { accept(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { cancel(); });
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::load()
{
    // A missing or unreadable file leaves both boxes empty.
    const std::optional<Settings> settings = SettingsFile(settingsPath()).read();
    if (!settings)
        return;
    m_width.text->setText(trimBlanks(settings->width));
    m_interval.text->setText(trimBlanks(settings->interval));
}

void SettingsDialog::accept()
{
    Dialogs *dialogs = m_context.services.dialogs;
    if (!m_ok->isEnabled())
        return; // a box says what is wrong; nothing is saved until it is mended
    QString error;
    if (!SettingsFile(settingsPath())
             .write(trimBlanks(m_width.text->text()), trimBlanks(m_interval.text->text()), &error)) {
        if (dialogs)
            dialogs->message(this, tr("设置值保存失败，原设置未改变。\n%1").arg(error), tr("警告!!"),
                             Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        return;
    }
    // An open curve window takes the new width at once, as one opened now would.
    if (m_context.curveWindow)
        m_context.curveWindow->applyIntegrationWidth(SettingsFile(settingsPath()).integrationWidth());
    if (dialogs)
        dialogs->message(this, tr("设置值已成功被修改!"), tr("提示"), Dialogs::Buttons::Ok,
                         Dialogs::Icon::Information);
}

void SettingsDialog::cancel()
{
    childWindowFrame(this)->close();
}

} // namespace lumetra
