// Files the program creates get the permissions a new file should have without the process's
// umask ever being changed, and the private runtime directory is never one someone else holds.
#include "platform/system/PrivateRuntimeDirectory.h"
#include "platform/workbook/XlsxWorkbookService.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace lumetra;

namespace {

mode_t modeOf(const QByteArray &path)
{
    struct stat st{};
    EXPECT_EQ(::lstat(path.constData(), &st), 0) << path.constData();
    return st.st_mode & 07777;
}

} // namespace

TEST(SafeFiles, WorkbookPermissionsFollowTheUmaskOrTheReplacedFile)
{
    QTemporaryDir dir;
    WorkbookSheet sheet;
    sheet.setNumber(1, 1, 7);
    XlsxWorkbookService service;
    const mode_t before = ::umask(027);
    const QString fresh = dir.filePath(QStringLiteral("new.xlsx"));
    ASSERT_TRUE(service.save(sheet, fresh));
    EXPECT_EQ(modeOf(QFile::encodeName(fresh)), 0640u);
    // A file being replaced keeps bits the umask would take.
    ::chmod(QFile::encodeName(fresh).constData(), 0664);
    ASSERT_TRUE(service.save(sheet, fresh));
    EXPECT_EQ(modeOf(QFile::encodeName(fresh)), 0664u);
    // The umask in force is the one set: saving never changed it.
    EXPECT_EQ(::umask(before), mode_t(027));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("new.xlsx")});
}

TEST(SafeFiles, RuntimeDirectoryIsPrivateOrAnotherOneIsMade)
{
    QTemporaryDir base;
    const QByteArray root = QFile::encodeName(base.path());
    const uid_t me = ::getuid();
    const QByteArray usual = root + "/runtime-" + QByteArray::number(me);

    EXPECT_EQ(privateRuntimeDirectory(root, me), usual);
    EXPECT_EQ(modeOf(usual), 0700u);
    EXPECT_EQ(privateRuntimeDirectory(root, me), usual); // our own: taken again

    const auto expectAnotherPrivateOne = [&](const char *why) {
        const QByteArray other = privateRuntimeDirectory(root, me);
        EXPECT_FALSE(other.isEmpty()) << why;
        EXPECT_NE(other, usual) << why;
        EXPECT_TRUE(other.startsWith(usual + "-")) << other.constData();
        EXPECT_EQ(modeOf(other), 0700u) << why;
    };
    ::chmod(usual.constData(), 0755);
    expectAnotherPrivateOne("others can enter it");
    EXPECT_EQ(modeOf(usual), 0755u); // left as it was found

    ::rmdir(usual.constData());
    const QByteArray elsewhere = root + "/elsewhere";
    ASSERT_EQ(::mkdir(elsewhere.constData(), 0700), 0);
    ASSERT_EQ(::symlink(elsewhere.constData(), usual.constData()), 0);
    expectAnotherPrivateOne("a link");

    if (me == 0) { // only root can give a directory to someone else
        ::unlink(usual.constData());
        ASSERT_EQ(::mkdir(usual.constData(), 0700), 0);
        ASSERT_EQ(::chown(usual.constData(), 65534, 65534), 0);
        expectAnotherPrivateOne("another user's");
    }
}
