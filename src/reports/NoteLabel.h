#pragma once

#include "platform/printing/PrintOutcome.h"

#include <QCoreApplication>
#include <QDir>
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

// What that line says, in the interface language: "已保存为 PDF：<file>" or "打印失败：<why>";
// nothing for a page a printer took.
inline QString outcomeNote(const PrintOutcome &outcome)
{
    switch (outcome.result) {
    case PrintOutcome::Result::Printed: return {};
    case PrintOutcome::Result::SavedToFile:
        return QCoreApplication::translate("ReportNote", "已保存为 PDF：%1")
            .arg(QDir::toNativeSeparators(outcome.filePath));
    case PrintOutcome::Result::Failed:
        return QCoreApplication::translate("ReportNote", "打印失败：%1").arg(outcome.error);
    }
    return {};
}

} // namespace lumetra
