#include "workspace/frm_sz.h"

#include "analysis/SettingsFile.h"
#include "platform/CurveViewPort.h"
#include "platform/Dialogs.h"
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

QPushButton *button(const QString &name, const QString &caption, QWidget *parent, int x, int y)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, 65, 33);
    return b;
}

} // namespace


frm_sz *frm_sz::instance(const AppContext &context)
{
    return qobject_cast<frm_sz *>(context.singleWindows.value(QStringLiteral("frm_sz")).data());
}

frm_sz *frm_sz::showDialog(AppContext &context)
{
    if (!instance(context)) {
        auto *form = new frm_sz(context);
        form->Form_Load();
    }
    showChildWindow(context, instance(context), workspace::SettingsPosition);
    return instance(context);
}

void frm_sz::setSettingsPath(const QString &path)
{
    SettingsFile::setProgramPath(path);
}

QString frm_sz::settingsPath()
{
    return SettingsFile::programPath();
}

frm_sz::frm_sz(AppContext &context) : m_context(context)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frm_sz"));
    setWindowTitle(QStringLiteral("设置"));
    setFixedSize(312, 261);
    context.singleWindows.insert(QStringLiteral("frm_sz"), this);

    auto *frame3 = new QGroupBox(this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    frame3->setGeometry(16, 8, 280, 98);
    label(QStringLiteral("Label3"), QStringLiteral("光强值显示间隔："), frame3, 16, 26);
    m_text1 = entry(QStringLiteral("Text1"), frame3, 136, 22);
    m_problem1 = label(QStringLiteral("Problem1"), QString(), frame3, 136, 48);
    label(QStringLiteral("Label4"), QStringLiteral("有效范围：0-20的数字"), frame3, 16, 70);

    auto *frame1 = new QGroupBox(this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(16, 114, 280, 80);
    label(QStringLiteral("Label1"), QStringLiteral("积分宽度："), frame1, 16, 30);
    m_text2 = entry(QStringLiteral("Text2"), frame1, 136, 26);
    m_problem2 = label(QStringLiteral("Problem2"), QString(), frame1, 136, 52);

    m_ok = button(QStringLiteral("CurtButton1"), QStringLiteral("确定"), this, 64, 208);
    m_cancel = button(QStringLiteral("CurtButton2"), QStringLiteral("取消"), this, 176, 208);

    installDigitEntryCheck(m_text1, IntervalLimit, m_problem1);
    installDigitEntryCheck(m_text2, WidthLimit, m_problem2);
    // Only acceptable entries can be saved; the red messages say what to mend.
    for (QLineEdit *box : {m_text1, m_text2})
        connect(box, &QLineEdit::textChanged, this, [this] {
            m_ok->setEnabled(digitEntryProblem(m_text1->text(), IntervalLimit).isEmpty() &&
                             digitEntryProblem(m_text2->text(), WidthLimit).isEmpty());
        });
    connect(m_ok, &QPushButton::clicked, this, [this] { CurtButton1_Click(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { CurtButton2_Click(); });
}

frm_sz::~frm_sz() = default;

void frm_sz::Form_Load()
{
    // A missing or unreadable file leaves both boxes empty.
    const std::optional<Settings> settings = SettingsFile(settingsPath()).read();
    if (!settings)
        return;
    m_text2->setText(trimBlanks(settings->width));
    m_text1->setText(trimBlanks(settings->interval));
}

void frm_sz::CurtButton1_Click()
{
    Dialogs *dialogs = m_context.services.dialogs;
    if (!m_ok->isEnabled())
        return; // a box says what is wrong; nothing is saved until it is mended
    QString error;
    if (!SettingsFile(settingsPath())
             .write(trimBlanks(m_text2->text()), trimBlanks(m_text1->text()), &error)) {
        if (dialogs)
            dialogs->message(this, QStringLiteral("设置值保存失败，原设置未改变。\n") + error,
                             QStringLiteral("警告!!"), Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        return;
    }
    // An open curve window takes the new width at once, as one opened now would.
    if (m_context.curveWindow)
        m_context.curveWindow->applyIntegrationWidth(SettingsFile(settingsPath()).integrationWidth());
    if (dialogs)
        dialogs->message(this, QStringLiteral("设置值已成功被修改!"), QStringLiteral("提示"),
                         Dialogs::Buttons::Ok, Dialogs::Icon::Information);
}

void frm_sz::CurtButton2_Click()
{
    childWindowFrame(this)->close();
}

} // namespace lumetra
