#pragma once

#include "workspace/WorkspaceFixture.h"

#include "beamview/BeamWindow.h"
#include "platform/framefiles/FrameFile.h"
#include "platform/printing/ScriptedPrinter.h"
#include "support/FrameImage.h"
#include "support/SyntheticBeam.h"

#include <QAction>

namespace lumetra::test {

// A workspace showing a synthetic camera frame saved as an 8-bit PNG, with the calibration in a
// temporary settings file, and the beam window opened from the workspace's menu.
class BeamViewFixture : public WorkspaceFixture
{
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        context->calibrationFile = path(QStringLiteral("lumetra.ini"));
    }

    WorkspaceWindow *openFrame(const Scene &scene, const QString &name = QStringLiteral("beam.png"))
    {
        frameFile = path(name);
        EXPECT_TRUE(frameImage(makeFrame(scene).frame).save(frameFile, "PNG"));
        EXPECT_TRUE(open(frameFile));
        return WorkspaceWindow::instance(*context);
    }

    BeamWindow *openBeamWindow()
    {
        WorkspaceWindow::instance(*context)->menuItem(QStringLiteral("beamParameters"))->trigger();
        return BeamWindow::instance(*context);
    }

    // A printer that writes its pages as PDF files into the folder "reports".
    void usePdfPrinter()
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("reports")));
        printer = std::make_unique<ScriptedPrinter>(path(QStringLiteral("reports")));
        services.printer = printer.get();
    }

    // What the core measures on the same file.
    beam::BeamResult coreResult(const beam::BeamFrame *dark = nullptr) const
    {
        const FrameReadResult read = readFrameFile(frameFile);
        EXPECT_TRUE(read.ok()) << read.error.toStdString();
        return beam::measureBeam(read.frame, {}, dark);
    }

    static Scene offCentreEllipse()
    {
        Scene scene;
        scene.noise = 1.5;
        scene.spots[0].cx = 400;
        scene.spots[0].cy = 150;
        scene.spots[0].dMajor = 120;
        scene.spots[0].dMinor = 70;
        scene.spots[0].phiDeg = 30;
        return scene;
    }

    QString frameFile;
    std::unique_ptr<ScriptedPrinter> printer;
};

} // namespace lumetra::test
