#pragma once

#include "analysis/AnalysisState.h"
#include "types/ProgressWindows.h"
#include "app/WindowWiring.h"
#include "curves/CurveWindow.h"
#include "curves/IntensityTableWindow.h"
#include "curves/CurveWindow.h"
#include "platform/ports/AppContext.h"
#include "types/Colour.h"
#include "platform/dialogs/PointerControl.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/ports/Services.h"
#include "support/SurfaceChecks.h"
#include "workspace/WorkspaceWindow.h"
#include "workspace/SettingsDialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace lumetra::test {

// Progress windows that remember what was shown, in order.
class RecordingProgress : public ProgressWindows
{
public:
    QStringList shown;
    int closes = 0;
    void show(Window window, const QString &caption) override
    {
        shown << (window == Window::Waiting ? QStringLiteral("Waiting") : caption);
    }
    void setProgress(Window, float) override {}
    void close(Window) override { ++closes; }
    void repaintWorkspace() override {}
};

// The test picture: grey levels (red = green = blue) rising to the right and downwards, with a
// brighter line along row 192 and column 320, the two cuts the curve windows start on, so that
// the raw curve stands clear of the band-averaged one.
struct TestPicture
{
    static constexpr int Bump = 20;
    static int grey(int x, int y) { return 10 + x / 5 + y / 5 + ((y == 192 || x == 320) ? Bump : 0); }
    static QImage image()
    {
        QImage image(640, 480, QImage::Format_RGB32);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const int g = grey(x, y);
                image.setPixel(x, y, qRgb(g, g, g));
            }
        return image;
    }
    // The grey value the sampling sees at (x, y), x 1..640, y 1..480: 0 beyond the surface.
    static int sampled(int x, int y) { return (x >= 640 || y >= 480) ? 0 : grey(x, y); }
    // Whole-picture range of the sampled values: the maximum, and the smallest non-zero value
    // (the scan starts from 15).
    static int maximum()
    {
        int m = 15;
        for (int y = 1; y <= 480; ++y)
            for (int x = 1; x <= 640; ++x)
                m = std::max(m, sampled(x, y));
        return m;
    }
    static int minimum()
    {
        int m = 15;
        for (int y = 1; y <= 480; ++y)
            for (int x = 1; x <= 640; ++x)
                if (sampled(x, y) != 0)
                    m = std::min(m, sampled(x, y));
        return m;
    }
};

inline void closeAllWindows()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline Colour xorColour(Colour a, Colour b)
{
    return a ^ b;
}

class CurveFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        services.dialogs = &dialogs;
        services.pointer = &pointer;
        context =
            std::make_unique<AppContext>(AppContext{services, progress, nullptr, nullptr, {}, {}});
        wireWindows(*context, *state);
        SettingsDialog::setSettingsPath(QDir(dir.path()).filePath(QStringLiteral("configtext.txt")));
        writeSettings(QStringLiteral("2"));
    }

    void TearDown() override
    {
        closeAllWindows();
        SettingsDialog::setSettingsPath(QString());
    }

    void writeSettings(const QString &width)
    {
        QFile file(SettingsDialog::settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write((width + QStringLiteral("\r\n5\r\n")).toLatin1());
    }

    WorkspaceWindow *openWorkspace()
    {
        const QString file = QDir(dir.path()).filePath(QStringLiteral("picture.bmp"));
        EXPECT_TRUE(TestPicture::image().save(file, "BMP"));
        state->picture.ImagePath = file;
        WorkspaceWindow *workspace = WorkspaceWindow::showWorkspace(*context, *state, state->picture.ImagePath);
        EXPECT_NE(workspace, nullptr);
        return workspace;
    }

    // Opens the workspace and then the curve window through the workspace's own command.
    CurveWindow *openCurves(bool vertical)
    {
        WorkspaceWindow *workspace = openWorkspace();
        if (!workspace)
            return nullptr;
        pictureBefore = workspace->picture().image().copy();
        workspace->menuItem(vertical ? QStringLiteral("verticalCurve") : QStringLiteral("horizontalCurve"))->trigger();
        CurveWindow *window = CurveWindow::openWindow(*context);
        EXPECT_NE(window, nullptr);
        return window;
    }

    // Closes the curve window (and with it the table) and lets both be deleted.
    static void closeCurveWindow(CurveWindow *w)
    {
        w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Mouse events on the plot, in plot pixels (the plot box has a 2-pixel border).
    static QPoint onPlot(CurveWindow *w, int x, int y)
    {
        const int b = w->plotView()->border();
        return QPoint(x + b, y + b);
    }
    // A move with no button held, delivered to the plot as the window system would (QTest moves
    // the global pointer instead, which the offscreen screen clips).
    static void moveTo(CurveWindow *w, int x, int y)
    {
        const QPointF at = onPlot(w, x, y);
        QMouseEvent move(QEvent::MouseMove, at, w->plotView()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w->plotView(), &move);
    }
    static void click(CurveWindow *w, int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(w->plotView(), button, Qt::NoModifier, onPlot(w, x, y));
    }
    static void key(CurveWindow *w, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(w->plotView(), k, modifiers);
    }

    static int countColour(const PictureSurface &surface, Colour colour)
    {
        return lumetra::testing::countColour(surface, colour);
    }

    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    ScriptedDialogs dialogs;
    ScriptedPointerControl pointer;
    Services services;
    RecordingProgress progress;
    std::unique_ptr<AppContext> context;
    QTemporaryDir dir;
    QImage pictureBefore;
};

} // namespace lumetra::test
