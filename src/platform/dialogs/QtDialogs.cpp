#include "platform/dialogs/QtDialogs.h"

#include "platform/dialogs/InputBox.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace lumetra {

QStringList qtFilterList(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        result << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return result;
}

QString resolveInitialDirectory(const QString &directory)
{
    const QString d = directory.trimmed();
    if (d.isEmpty() || d.compare(QStringLiteral("c:\\"), Qt::CaseInsensitive) == 0 ||
        d.compare(QStringLiteral("c:"), Qt::CaseInsensitive) == 0)
        return QDir::homePath();
    return d;
}

namespace {

QFileDialog *makeDialog(QWidget *parent, const Dialogs::FileRequest &request, bool save)
{
    auto *dialog = new QFileDialog(parent, request.title, resolveInitialDirectory(request.initialDirectory));
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    const QStringList filters = qtFilterList(request.filter);
    dialog->setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog->selectNameFilter(filters[request.filterIndex - 1]);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save)
        dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.defaultSuffix.isEmpty())
        dialog->setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog->selectFile(request.fileName);
    return dialog;
}

std::optional<QString> runFileDialog(QWidget *parent, const Dialogs::FileRequest &request, bool save)
{
    std::unique_ptr<QFileDialog> dialog(makeDialog(parent, request, save));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtDialogs::openFile(QWidget *parent, const FileRequest &request)
{
    return runFileDialog(parent, request, false);
}

std::optional<QStringList> QtDialogs::openFiles(QWidget *parent, const FileRequest &request)
{
    std::unique_ptr<QFileDialog> dialog(makeDialog(parent, request, false));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles();
}

std::optional<QString> QtDialogs::saveFile(QWidget *parent, const FileRequest &request)
{
    return runFileDialog(parent, request, true);
}

Dialogs::Answer QtDialogs::message(QWidget *parent, const QString &text, const QString &title,
                                   Buttons buttons, Icon icon)
{
    QMessageBox box(parent);
    box.setText(text);
    box.setWindowTitle(title.isEmpty() ? QStringLiteral("Lumetra") : title);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

std::optional<QString> QtDialogs::input(QWidget *parent, const QString &prompt, const QString &title,
                                        const QString &defaultText, const InputCheck &check)
{
    InputBox box(parent, prompt, title, defaultText, check);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.entry()->text();
}

} // namespace lumetra
