// Opening, showing and closing the image workspace.
#include "WorkspaceFixture.h"

#include "platform/settings/PlacementSetting.h"

#include "workspace/WorkspaceWindow.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace lumetra::test {
namespace {

class WorkspaceLoad : public WorkspaceFixture
{
};

TEST_F(WorkspaceLoad, OpensThePictureWithItsWindowLayout)
{
    WorkspaceWindow *ws = openPattern();
    ASSERT_NE(ws, nullptr);
    EXPECT_EQ(ws->windowTitle(), QStringLiteral("图像操作 - ") + QFileInfo(state->picture.ImagePath).fileName());
    EXPECT_TRUE(ws->isVisible());
    EXPECT_EQ(ws->pos(), QPoint(0, 0));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // Client area under the menu bar, and pictureView at (30, 30) of the 680 x 520 scale.
    EXPECT_EQ(ws->windowView()->size(), QSize(711, 540));
    EXPECT_EQ(ws->windowView()->mapTo(ws, QPoint(0, 0)).y(), ws->findChild<QMenuBar *>()->height());
    EXPECT_EQ(ws->pictureView()->pos(), QPoint(31, 31));
    EXPECT_EQ(ws->pictureView()->size(), QSize(644, 484));
    EXPECT_EQ(ws->picture().size(), QSize(640, 480));
    EXPECT_FALSE(ws->statusLabel()->isVisible());

    EXPECT_NE(context->workspace, nullptr);
    EXPECT_EQ(state->picture.ImageWidth, 640);
    EXPECT_EQ(state->picture.ImageHeight, 480);
    for (const QPoint p : {QPoint(0, 0), QPoint(639, 479), QPoint(317, 203), QPoint(1, 478)})
        EXPECT_EQ(ws->picture().point(p.x(), p.y()), fromQRgb(image.pixel(p))) << p.x() << "," << p.y();
}

TEST_F(WorkspaceLoad, MenuBarHasEveryCommandWithItsCaptionAndLoadedState)
{
    WorkspaceWindow *ws = openPattern();
    ASSERT_NE(ws, nullptr);
    struct Item
    {
        const char *name;
        const char *caption;
        const char *parent; // nullptr: on the bar
        bool enabled;
    };
    const Item items[] = {
        {"filters", "图像滤镜", nullptr, true},
        {"blur1", "模糊1...", "filters", true},
        {"blur2", "模糊2...", "filters", true},
        {"sharpen1", "锐化1...", "filters", true},
        {"sharpen2", "锐化2...", "filters", true},
        {"diffuse", "Difuse...", "filters", true},
        {"diffuseMore", "DifuseMore...", "filters", true},
        {"horizontalCurve", "水平", nullptr, true},
        {"verticalCurve", "垂直", nullptr, true},
        {"surface3d", "三维图", nullptr, true},
        {"drawSurface", "制三维图", "surface3d", true},
        {"clearSurface", "取消制三维图", "surface3d", false},
        {"exportTable", "制表", nullptr, false},
        {"settings", "设置", nullptr, true},
        {"beamParameters", "光束参数", nullptr, true},
        {"calibrate", "标定", nullptr, true},
        {"placementOptions", "选项", nullptr, true},
    };
    auto *bar = ws->findChild<QMenuBar *>();
    ASSERT_NE(bar, nullptr);
    QStringList barOrder;
    for (QAction *a : bar->actions())
        barOrder << a->objectName();
    EXPECT_EQ(barOrder, QStringList({"filters", "horizontalCurve", "verticalCurve", "surface3d", "exportTable", "settings", "beamParameters",
                                       "calibrate", "placementOptions"}));

    for (const Item &item : items) {
        SCOPED_TRACE(item.name);
        QAction *action = ws->menuItem(QString::fromLatin1(item.name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->objectName(), QString::fromLatin1(item.name));
        EXPECT_EQ(action->text(), QString::fromUtf8(item.caption));
        EXPECT_EQ(action->isEnabled(), item.enabled);
        if (item.parent) {
            QMenu *menu = ws->menuItem(QString::fromLatin1(item.parent))->menu();
            ASSERT_NE(menu, nullptr);
            EXPECT_TRUE(menu->actions().contains(action));
        } else {
            EXPECT_TRUE(bar->actions().contains(action));
        }
    }
    EXPECT_EQ(ws->menuItem("nosuchitem"), nullptr);
}

TEST_F(WorkspaceLoad, OpeningAgainShowsTheNewPictureInTheSameWindow)
{
    WorkspaceWindow *first = openPattern();
    ASSERT_NE(first, nullptr);
    first->move(400, 300);
    const QImage rulers = first->windowSurface().image();

    QImage other(640, 480, QImage::Format_RGB32);
    other.fill(qRgb(10, 200, 30));
    EXPECT_TRUE(open(writeImage("other.bmp", other)));
    EXPECT_EQ(WorkspaceWindow::instance(*context), first);
    EXPECT_EQ(first->picture().image(), other);
    EXPECT_EQ(first->windowSurface().image(), rulers);
    EXPECT_EQ(first->pos(), QPoint(0, 0));
    EXPECT_EQ(QApplication::topLevelWidgets().count(first), 1);
}

TEST_F(WorkspaceLoad, LargerPictureIsCutOffAndSmallerOneLeavesTheBackColour)
{
    {
        // Placed top-left (the bar's other choices are checked with the placements).
        ASSERT_TRUE(savePlacementMode(PlacementMode::TopLeft));
        WorkspaceWindow *ws = openPattern(800, 600);
        ASSERT_NE(ws, nullptr);
        EXPECT_EQ(ws->picture().size(), QSize(640, 480));
        EXPECT_EQ(ws->picture().point(639, 479), fromQRgb(image.pixel(639, 479)));
        EXPECT_EQ(ws->picture().point(640, 10), -1);
        closeAllWindows();
        ASSERT_EQ(WorkspaceWindow::instance(*context), nullptr);
    }
    WorkspaceWindow *ws = openPattern(320, 240);
    ASSERT_NE(ws, nullptr);
    EXPECT_EQ(ws->picture().point(319, 239), fromQRgb(image.pixel(319, 239)));
    EXPECT_EQ(ws->picture().point(0, 0), fromQRgb(image.pixel(0, 0)));
    // Where the picture does not reach, the plot background the rulers set shows.
    for (const QPoint p : {QPoint(320, 0), QPoint(0, 240), QPoint(639, 479), QPoint(500, 100)})
        EXPECT_EQ(ws->picture().point(p.x(), p.y()), rgb(70, 70, 70)) << p.x() << "," << p.y();
}

// Bytes of files that are not pictures a workspace can show.
struct BadPicture
{
    const char *name;
    QByteArray bytes;
};

QByteArray bmpHeader(qint32 width, qint32 height)
{
    QByteArray b(54, '\0');
    auto put32 = [&b](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char((v >> (8 * i)) & 0xff);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, 54 + 64);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    b[26] = 1;
    b[28] = 24;
    return b + QByteArray(64, '\x7f');
}

TEST_F(WorkspaceLoad, UnreadablePicturesAreRefusedWithAMessageNamingTheFile)
{
    QFile good(writeImage("good.bmp", patternImage(64, 48)));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bmp = good.readAll();
    QByteArray jpeg;
    {
        const QString jpegPath = writeImage("good.jpg", patternImage(200, 150), "JPEG");
        QFile f(jpegPath);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        jpeg = f.readAll();
    }
    const BadPicture pictures[] = {
        {"text.jpg", QByteArray("this is not a picture\n")},
        {"garbage.bmp", QByteArray("BM") + QByteArray(300, '\xa5')},
        {"truncated.bmp", bmp.left(bmp.size() / 3)},
        {"truncated.jpg", jpeg.left(jpeg.size() / 2)},
        {"huge.bmp", bmpHeader(200000, 150000)},
        {"empty.bmp", QByteArray()},
    };
    for (const BadPicture &bad : pictures) {
        SCOPED_TRACE(bad.name);
        const QString file = path(QString::fromLatin1(bad.name));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bad.bytes);
        f.close();

        state->view.AxisStart = -320;
        state->view.AxisEnd = 320;
        dialogs.messages.clear();
        EXPECT_FALSE(open(file));
        EXPECT_EQ(WorkspaceWindow::instance(*context), nullptr);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages[0].text.contains(QString::fromLatin1(bad.name)));
        EXPECT_FALSE(dialogs.messages[0].title.isEmpty());
        EXPECT_EQ(context->workspace, nullptr);
        EXPECT_EQ(state->picture.ImageWidth, 0);
        EXPECT_EQ(state->picture.ImageHeight, 0);
        EXPECT_EQ(state->view.AxisStart, -320);
        EXPECT_EQ(state->view.AxisEnd, 320);
        EXPECT_TRUE(mainWindow.buttons[1] && mainWindow.buttons[2]);
    }
    dialogs.messages.clear();
    EXPECT_FALSE(open(path("missing.bmp")));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains("missing.bmp"));
    EXPECT_EQ(WorkspaceWindow::instance(*context), nullptr);
}

TEST_F(WorkspaceLoad, ClosingReenablesTheMainWindowButtonsAndResetsTheAxis)
{
    WorkspaceWindow *ws = openPattern();
    ASSERT_NE(ws, nullptr);
    mainWindow.buttons[1] = mainWindow.buttons[2] = false;
    mainWindow.buttons[3] = false;
    state->view.AxisStart = -240;
    state->view.AxisEnd = 240;
    state->cut.CutPosition = 100;

    EXPECT_TRUE(ws->close());
    EXPECT_TRUE(mainWindow.buttons[1]);
    EXPECT_TRUE(mainWindow.buttons[2]);
    EXPECT_FALSE(mainWindow.buttons[3]); // only the capture and open buttons belong to the workspace
    EXPECT_EQ(context->workspace, nullptr);
    EXPECT_EQ(state->view.AxisStart, 0);
    EXPECT_EQ(state->view.AxisEnd, 0);
    EXPECT_EQ(state->cut.CutPosition, 100);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(WorkspaceWindow::instance(*context), nullptr);

    // A new opening loads afresh.
    EXPECT_NE(openPattern(), nullptr);
    EXPECT_NE(WorkspaceWindow::instance(*context), nullptr);
}

// The rulers are engraved: a light tick with a dark one beside it, on each side of the picture.
bool hasColour(const PictureSurface &s, const QRect &area, Colour c)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (s.point(x, y) == c)
                return true;
    return false;
}

TEST_F(WorkspaceLoad, RulersAreEngravedOnAllFourSidesOfThePicture)
{
    WorkspaceWindow *ws = openPattern();
    ASSERT_NE(ws, nullptr);
    const PictureSurface &w = ws->windowSurface();
    const Colour light = rgb(240, 240, 240), dark = rgb(100, 100, 100);
    const int L = 33, T = 33, W = 640, H = 480; // inner corner of pictureView in window pixels

    for (int k = 0; k <= 10; ++k) {
        SCOPED_TRACE(k);
        const int x = L + W * k / 10, y = T + H * k / 10;
        const QRect top(x - 1, T - 8, 2, 8), bottom(x - 1, T + H, 2, 9);
        const QRect left(L - 8, y - 1, 8, 2), right(L + W, y - 1, 9, 2);
        for (const QRect &r : {top, bottom, left, right}) {
            EXPECT_TRUE(hasColour(w, r, light)) << r.x() << "," << r.y();
            EXPECT_TRUE(hasColour(w, r, dark)) << r.x() << "," << r.y();
        }
    }
    // Minor ticks: 80 divisions a side, so a row just above the picture carries a light tick
    // every 8 pixels and nothing in between.
    int lightTicks = 0;
    for (int x = L + 1; x < L + W; ++x) {
        const Colour c = w.point(x, T - 4);
        if (c == light) {
            ++lightTicks;
            EXPECT_EQ((x - L) % 8, 0) << x;
        } else if (c != dark) {
            EXPECT_EQ(c, WorkspaceWindow::BackColour) << x;
        }
    }
    EXPECT_EQ(lightTicks, 79);
    // Away from the scales the window keeps its own colour, and the picture is untouched.
    EXPECT_EQ(w.point(2, 2), WorkspaceWindow::BackColour);
    EXPECT_EQ(w.point(705, 535), WorkspaceWindow::BackColour);
    EXPECT_EQ(ws->picture().point(0, 0), fromQRgb(image.pixel(0, 0)));
    EXPECT_EQ(ws->picture().point(639, 0), fromQRgb(image.pixel(639, 0)));
}

TEST_F(WorkspaceLoad, SettingsCommandOpensOneSettingsDialogAt300And150)
{
    WorkspaceWindow *ws = openPattern();
    ASSERT_NE(ws, nullptr);
    ws->menuItem("settings")->trigger();
    SettingsDialog *dialog = SettingsDialog::instance(*context);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->pos(), QPoint(300, 150));
    ws->menuItem("settings")->trigger();
    EXPECT_EQ(SettingsDialog::instance(*context), dialog);
}

} // namespace
} // namespace lumetra::test
