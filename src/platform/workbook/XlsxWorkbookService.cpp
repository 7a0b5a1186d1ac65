#include "platform/workbook/XlsxWorkbookService.h"

#include "platform/system/DurableWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace lumetra {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Creates an empty, exclusive temporary file beside target, with the permissions the target has
// (or a new file would get: 0666 less the process's umask, applied by the kernel at creation,
// so the umask is never changed). Returns its name, or an empty string.
QByteArray createTemporaryBeside(const QString &target, QString *error)
{
    const QFileInfo info(target);
    struct stat existing;
    const bool replacing = ::stat(QFile::encodeName(target).constData(), &existing) == 0;
    const mode_t mode = replacing ? (existing.st_mode & 07777) : 0666;
    const QString stem = info.absolutePath() + QLatin1String("/.") + info.fileName() + QLatin1Char('.');
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name =
            QFile::encodeName(stem + QString::number(QRandomGenerator::global()->generate(), 36));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            break;
        // The umask may have taken bits the file being replaced has: give them back.
        const bool permitted = !replacing || ::fchmod(fd, mode) == 0;
        const int why = errno;
        ::close(fd);
        if (permitted)
            return name;
        ::unlink(name.constData());
        errno = why;
        break;
    }
    setError(error, QStringLiteral("cannot create a file in %1: %2")
                        .arg(QDir::toNativeSeparators(info.absolutePath()),
                             QString::fromLocal8Bit(std::strerror(errno))));
    return QByteArray();
}

bool flushToDisk(const QByteArray &name)
{
    const int fd = ::open(name.constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// The cells in row order, then column order; of a cell written twice only the later value.
// The writer streams rows to disk as it goes, so it takes them in this order only.
std::vector<const WorkbookCell *> inRowOrder(const WorkbookSheet &sheet)
{
    std::vector<const WorkbookCell *> order;
    order.reserve(sheet.cells().size());
    for (const WorkbookCell &cell : sheet.cells())
        order.push_back(&cell);
    const auto before = [](const WorkbookCell *a, const WorkbookCell *b) {
        return a->row != b->row ? a->row < b->row : a->column < b->column;
    };
    if (!std::is_sorted(order.begin(), order.end(), before))
        std::stable_sort(order.begin(), order.end(), before);
    std::vector<const WorkbookCell *> unique;
    unique.reserve(order.size());
    for (const WorkbookCell *cell : order) {
        if (!unique.empty() && unique.back()->row == cell->row && unique.back()->column == cell->column)
            unique.back() = cell;
        else
            unique.push_back(cell);
    }
    return unique;
}

bool writeCells(lxw_worksheet *sheet, const WorkbookSheet &cells, QString *error)
{
    for (const WorkbookCell *c : inRowOrder(cells)) {
        const WorkbookCell &cell = *c;
        if (cell.row < 1 || cell.column < 1 || cell.row > LXW_ROW_MAX || cell.column > LXW_COL_MAX) {
            setError(error,
                     QStringLiteral("cell (%1, %2) lies outside a worksheet").arg(cell.row).arg(cell.column));
            return false;
        }
        const auto row = static_cast<lxw_row_t>(cell.row - 1);
        const auto column = static_cast<lxw_col_t>(cell.column - 1);
        lxw_error result;
        if (cell.isNumber()) {
            if (!std::isfinite(cell.number())) {
                setError(
                    error,
                    QStringLiteral("cell (%1, %2) is not a finite number").arg(cell.row).arg(cell.column));
                return false;
            }
            result = worksheet_write_number(sheet, row, column, cell.number(), nullptr);
        } else {
            result = worksheet_write_string(sheet, row, column, cell.text().toUtf8().constData(), nullptr);
        }
        if (result != LXW_NO_ERROR) {
            setError(error, QString::fromUtf8(lxw_strerror(result)));
            return false;
        }
    }
    return true;
}

} // namespace

bool XlsxWorkbookService::save(const WorkbookSheet &sheet, const QString &path, QString *error)
{
    if (path.isEmpty()) {
        setError(error, QStringLiteral("no file name"));
        return false;
    }
    if (QFileInfo(path).isDir()) {
        setError(error, QStringLiteral("%1 is a directory").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    const QByteArray temporary = createTemporaryBeside(path, error);
    if (temporary.isEmpty())
        return false;

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *workbook = workbook_new_opt(temporary.constData(), &options);
    bool ok = workbook != nullptr;
    if (!ok)
        setError(error, QStringLiteral("out of memory"));
    lxw_worksheet *worksheet = ok ? workbook_add_worksheet(workbook, nullptr) : nullptr;
    if (ok && !worksheet) {
        setError(error, QStringLiteral("cannot add a worksheet"));
        ok = false;
    }
    if (ok)
        ok = writeCells(worksheet, sheet, error);
    if (workbook) {
        // Closing writes the file; after a failed cell it still has to run to free the workbook,
        // and what it writes then is thrown away with the temporary file.
        const lxw_error closed = workbook_close(workbook);
        if (ok && closed != LXW_NO_ERROR) {
            setError(error, QString::fromUtf8(lxw_strerror(closed)));
            ok = false;
        }
    }
    if (ok && !flushToDisk(temporary)) {
        setError(error, QStringLiteral("cannot flush the file to disk"));
        ok = false;
    }
    if (ok && std::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) {
        setError(error,
                 QStringLiteral("cannot replace %1: %2")
                     .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno))));
        ok = false;
    }
    if (ok)
        syncDirectoryOf(path);
    else
        ::unlink(temporary.constData());
    return ok;
}

} // namespace lumetra
