#pragma once

#include "platform/dialogs/Dialogs.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace lumetra {

// The input box: a prompt that wraps, one line of text, OK and Cancel. OK with an answer the
// check refuses keeps the box open and says what is wrong in red under the text.
class InputBox : public QDialog
{
    Q_OBJECT

public:
    InputBox(QWidget *parent, const QString &prompt, const QString &title, const QString &defaultText,
             Dialogs::InputCheck check);

    QLabel *promptLabel() const { return m_prompt; }
    QLineEdit *entry() const { return m_entry; }
    // The red message under the text; hidden while there is nothing to say.
    QLabel *problemLabel() const { return m_problem; }

    void accept() override;

private:
    Dialogs::InputCheck m_check;
    QLabel *m_prompt = nullptr;
    QLineEdit *m_entry = nullptr;
    QLabel *m_problem = nullptr;
};

} // namespace lumetra
