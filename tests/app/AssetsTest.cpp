// The pictures and files the program ships: the banner bitmap, the toolbar icons compiled into
// the program, the program icon and the desktop entry; and the executable's argument check.
#include "app/AppResources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>

#include <gtest/gtest.h>

namespace lumetra {
namespace {

// The repository: LUMETRA_SOURCE_DIR, else two folders up from this file.
QString sourcePath(const QString &relative)
{
    QString root = qEnvironmentVariable("LUMETRA_SOURCE_DIR");
    if (root.isEmpty())
        root = QFileInfo(QStringLiteral(__FILE__)).absoluteDir().absoluteFilePath(QStringLiteral("../.."));
    return QDir(root).absoluteFilePath(relative);
}

// Where the executables are built: LUMETRA_BIN_DIR, else beside this test binary.
QString binPath(const QString &name)
{
    QString dir = qEnvironmentVariable("LUMETRA_BIN_DIR");
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    return QDir(dir).absoluteFilePath(name);
}

TEST(Assets, BannerBitmapIsAFortyOnePixelStripWithAUniformBorder)
{
    const QString path = sourcePath(QStringLiteral("assets/guanggao.bmp"));
    QImage banner(path, "BMP");
    ASSERT_FALSE(banner.isNull()) << path.toStdString();
    EXPECT_EQ(banner.height(), 41);
    EXPECT_GE(banner.width(), 400);
    // The strip's back colour is read at (2, 2): the edges must all be that colour, so that the
    // part of the strip the bitmap does not cover blends with it.
    const QRgb border = banner.pixel(2, 2);
    for (int x = 0; x < banner.width(); ++x)
        for (int y : {0, 1, 2, banner.height() - 1})
            ASSERT_EQ(banner.pixel(x, y), border) << x << "," << y;
    for (int y = 0; y < banner.height(); ++y)
        for (int x : {0, 2, banner.width() - 1})
            ASSERT_EQ(banner.pixel(x, y), border) << x << "," << y;
    // And something is drawn inside it.
    int differing = 0;
    for (int x = 0; x < banner.width(); ++x)
        differing += banner.pixel(x, banner.height() / 2) != border;
    EXPECT_GT(differing, 50);
}

TEST(Assets, DefaultSettingsShipBesideTheProgram)
{
    QFile shipped(sourcePath(QStringLiteral("assets/configtext.txt")));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(shipped.readAll(), QByteArray("5\r\n10\r\n"));
    // The build places it beside the executable when none is there.
    EXPECT_TRUE(QFileInfo::exists(binPath(QStringLiteral("configtext.txt"))));
}

TEST(Assets, ToolbarIconsAndTheProgramIconAreCompiledIn)
{
    initAppResources();
    for (const char *name :
         {":/icons/connect.png", ":/icons/open.png", ":/icons/help.png", ":/icons/exit.png"}) {
        QImage icon{QString::fromLatin1(name)};
        ASSERT_FALSE(icon.isNull()) << name;
        EXPECT_EQ(icon.size(), QSize(24, 24)) << name;
        EXPECT_TRUE(icon.hasAlphaChannel()) << name;
    }
    QImage program(QStringLiteral(":/lumetra.png"));
    ASSERT_FALSE(program.isNull());
    EXPECT_EQ(program.size(), QSize(128, 128));
}

TEST(Assets, DesktopEntryStartsLumetraWithAPicture)
{
    QFile file(sourcePath(QStringLiteral("assets/lumetra.desktop")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QMap<QString, QString> entry;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.front(), QStringLiteral("[Desktop Entry]"));
    for (const QString &line : lines)
        if (const qsizetype eq = line.indexOf(QLatin1Char('=')); eq > 0)
            entry.insert(line.left(eq), line.mid(eq + 1));
    EXPECT_EQ(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_EQ(entry.value(QStringLiteral("Exec")), QStringLiteral("lumetra %f"));
    EXPECT_EQ(entry.value(QStringLiteral("Icon")), QStringLiteral("lumetra"));
    EXPECT_TRUE(entry.value(QStringLiteral("MimeType")).contains(QStringLiteral("image/jpeg")));
    EXPECT_TRUE(entry.value(QStringLiteral("MimeType")).contains(QStringLiteral("image/bmp")));
}

TEST(Executable, RefusesUnknownArgumentsWithUsage)
{
    const QString program = binPath(QStringLiteral("lumetra"));
    ASSERT_TRUE(QFile::exists(program)) << "build the lumetra target first: " << program.toStdString();
    QProcess process;
    process.start(program, {QStringLiteral("--no-such-option")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 2);
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    EXPECT_TRUE(err.contains(QStringLiteral("--no-such-option"))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("usage: lumetra"))) << err.toStdString();
}

} // namespace
} // namespace lumetra
