#include "platform/dialogs/InputBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <utility>

namespace lumetra {

namespace {
constexpr int PromptWidth = 420;
}

InputBox::InputBox(QWidget *parent, const QString &prompt, const QString &title, const QString &defaultText,
                   Dialogs::InputCheck check)
    : QDialog(parent), m_check(std::move(check))
{
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    m_prompt = new QLabel(prompt, this);
    m_prompt->setWordWrap(true);
    m_prompt->setFixedWidth(PromptWidth);
    m_prompt->setMinimumHeight(m_prompt->heightForWidth(PromptWidth));
    m_entry = new QLineEdit(defaultText, this);
    m_entry->selectAll();
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_entry);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    // The box grows when the message appears.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons, &QDialogButtonBox::accepted, this, &InputBox::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &InputBox::reject);
    // The message goes as soon as the text is changed again.
    connect(m_entry, &QLineEdit::textEdited, m_problem, &QLabel::hide);
}

void InputBox::accept()
{
    const QString problem = m_check ? m_check(m_entry->text()) : QString();
    if (problem.isEmpty()) {
        QDialog::accept();
        return;
    }
    m_problem->setText(problem);
    m_problem->show();
    m_entry->setFocus();
    m_entry->selectAll();
}

} // namespace lumetra
