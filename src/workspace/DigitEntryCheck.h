#pragma once

#include <QString>

class QLabel;
class QLineEdit;

namespace lumetra {

// The entry rule of the settings boxes: ASCII digits only, at most `limit`; an empty box is
// allowed. Returns what is wrong with the text, or an empty text when it is acceptable.
QString digitEntryProblem(const QString &text, int limit);

// Checks the box after every change of its text (typed or pasted) and shows what is wrong in
// `message`, in red, hiding it while the text is acceptable. The text stays as it was typed.
void installDigitEntryCheck(QLineEdit *box, int limit, QLabel *message);

} // namespace lumetra
