#include "CaptureTestSupport.h"
#include "CaptureWindowRig.h"

#include "capture/CaptureCardControl.h"
#include "types/Colour.h"
#include "workspace/WorkspaceWindow.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumetra;

namespace {

QRgb surfacePixel(const PictureSurface &surface, int x, int y)
{
    const Colour c = surface.point(x, y);
    return qRgb(int(c & 0xff), int((c >> 8) & 0xff), int((c >> 16) & 0xff));
}

class CaptureEndToEndTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (WorkspaceWindow *workspace = WorkspaceWindow::instance(rig.context))
            childWindowFrame(workspace)->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Saves the paused picture of the simulated card through the window's menu.
    QImage saveFrame(CaptureWindow *form, const char *command, const QString &path)
    {
        rig.dialogs.fileAnswers.push_back(path);
        form->menuItem(QString::fromLatin1(command))->trigger();
        EXPECT_EQ(rig.dialogs.messages.last().text,
                  QStringLiteral("图像存为　") + path + QStringLiteral("！"));
        return form->card->currentFrame();
    }

    test::CaptureWindowRig rig;
    QTemporaryDir dir;
};

} // namespace

TEST_F(CaptureEndToEndTest, ASavedFrameOpensInTheWorkspaceLikeAnyOtherImage)
{
    rig.useSimulated();
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(test::waitFor([form] { return !form->card->currentFrame().isNull(); }));
    form->menuItem(QStringLiteral("mnuPause"))->trigger();
    test::waitFor([] { return false; }, 50); // a frame still on its way lands now

    const QString bmp = dir.filePath(QStringLiteral("spot.bmp"));
    const QImage frame = saveFrame(form, "mnuSaveBMP", bmp);
    rig.state.picture.ImagePath = bmp;
    WorkspaceWindow *workspace = WorkspaceWindow::showWorkspace(rig.context, rig.state, rig.state.picture.ImagePath);
    ASSERT_NE(workspace, nullptr);
    const PictureSurface &picture = workspace->picture();
    // The picture in the workspace is the frame, pixel for pixel, spot and dark corners alike.
    int brightest = 0;
    for (int y = 0; y < 480; y += 7)
        for (int x = 0; x < 640; x += 7) {
            ASSERT_EQ(surfacePixel(picture, x, y), frame.pixel(x, y)) << x << "," << y;
            brightest = std::max(brightest, qGreen(frame.pixel(x, y)));
        }
    EXPECT_GT(brightest, 150);
    childWindowFrame(workspace)->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A JPEG of the same picture opens as well, within the losses of quality 65.
    const QString jpeg = dir.filePath(QStringLiteral("spot.jpg"));
    saveFrame(form, "mnuSaveJPG", jpeg);
    rig.state.picture.ImagePath = jpeg;
    workspace = WorkspaceWindow::showWorkspace(rig.context, rig.state, rig.state.picture.ImagePath);
    ASSERT_NE(workspace, nullptr);
    double error = 0;
    int n = 0;
    for (int y = 0; y < 480; y += 5)
        for (int x = 0; x < 640; x += 5, ++n)
            error += std::abs(qGray(surfacePixel(workspace->picture(), x, y)) - qGray(frame.pixel(x, y)));
    EXPECT_LT(error / n, 4.0);
}
