#pragma once

#include <QLabel>

namespace lumetra {

// The hidden line of a report's status window that says where a page went or why it did not.
inline QLabel *makeNoteLabel(QWidget *parent)
{
    auto *note = new QLabel(parent);
    note->setObjectName(QStringLiteral("NoteLabel"));
    note->setWordWrap(true);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    note->hide();
    return note;
}

} // namespace lumetra
