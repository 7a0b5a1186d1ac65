#include "platform/dialogs/FolderRememberingDialogs.h"

#include "platform/framefiles/PicturePatterns.h"
#include "platform/settings/FolderMemory.h"

#include <QFileInfo>

#include <algorithm>

namespace lumetra {

namespace {

QString dialogKey(const QString &kind, const Dialogs::FileRequest &request)
{
    return kind + u'|' + (request.title.isEmpty() ? request.filter : request.title);
}

bool opensPictures(const Dialogs::FileRequest &request)
{
    const QString filter = request.filter.toLower();
    const QStringList patterns = readablePicturePatterns();
    return std::any_of(patterns.begin(), patterns.end(), [&](const QString &p) { return filter.contains(p); });
}

bool asksForHome(const QString &directory)
{
    return directory.isEmpty() || directory == QLatin1String("c:\\");
}

} // namespace

FolderRememberingDialogs::FolderRememberingDialogs(Dialogs &inner, FolderMemory &folders)
    : m_inner(inner), m_folders(folders)
{
}

Dialogs::FileRequest FolderRememberingDialogs::startingWhereTheFilesAre(const QString &kind,
                                                                        const FileRequest &request) const
{
    if (!asksForHome(request.initialDirectory))
        return request;
    const QString pictures = m_folders.picturesFolder();
    const QString own = m_folders.folder(dialogKey(kind, request));
    const QStringList choices = opensPictures(request) ? QStringList{pictures, own} : QStringList{own, pictures};
    FileRequest started = request;
    for (const QString &folder : choices) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
            started.initialDirectory = folder;
            break;
        }
    }
    return started;
}

void FolderRememberingDialogs::remember(const QString &kind, const FileRequest &request, const QString &chosen)
{
    if (chosen.isEmpty())
        return;
    const QString folder = QFileInfo(chosen).absolutePath();
    m_folders.setFolder(dialogKey(kind, request), folder);
    if (isReadablePicture(chosen))
        m_folders.setPicturesFolder(folder);
}

std::optional<QString> FolderRememberingDialogs::openFile(QWidget *parent, const FileRequest &request)
{
    const std::optional<QString> chosen = m_inner.openFile(parent, startingWhereTheFilesAre(QStringLiteral("open"), request));
    if (chosen)
        remember(QStringLiteral("open"), request, *chosen);
    return chosen;
}

std::optional<QStringList> FolderRememberingDialogs::openFiles(QWidget *parent, const FileRequest &request)
{
    const std::optional<QStringList> chosen =
        m_inner.openFiles(parent, startingWhereTheFilesAre(QStringLiteral("open"), request));
    if (chosen && !chosen->isEmpty())
        remember(QStringLiteral("open"), request, chosen->constFirst());
    return chosen;
}

std::optional<QString> FolderRememberingDialogs::saveFile(QWidget *parent, const FileRequest &request)
{
    const std::optional<QString> chosen = m_inner.saveFile(parent, startingWhereTheFilesAre(QStringLiteral("save"), request));
    if (chosen)
        remember(QStringLiteral("save"), request, *chosen);
    return chosen;
}

Dialogs::Answer FolderRememberingDialogs::message(QWidget *parent, const QString &text, const QString &title,
                                                  Buttons buttons, Icon icon)
{
    return m_inner.message(parent, text, title, buttons, icon);
}

std::optional<QString> FolderRememberingDialogs::input(QWidget *parent, const QString &prompt, const QString &title,
                                                       const QString &defaultText, const InputCheck &check)
{
    return m_inner.input(parent, prompt, title, defaultText, check);
}

} // namespace lumetra
