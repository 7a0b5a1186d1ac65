#include "BeamViewFixture.h"

#include "beamview/CalibrationDialog.h"
#include "curves/CurveWindow.h"
#include "platform/settings/Calibration.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

namespace lumetra::test {
namespace {

class CalibrationDialogTest : public BeamViewFixture
{
protected:
    void mouse(QWidget *view, QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        const QPointF local(x + 2, y + 2); // inside the 2-pixel border
        QMouseEvent event(type, local, view->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }
};

TEST_F(CalibrationDialogTest, StoresThePixelSizeAndRefusesBadEntries)
{
    openFrame(offCentreEllipse());
    BeamWindow *window = openBeamWindow();
    EXPECT_EQ(window->micronText("dMajor"), QString()) << "not calibrated";

    WorkspaceWindow::instance(*context)->menuItem(QStringLiteral("calibrate"))->trigger();
    CalibrationDialog *dialog = CalibrationDialog::instance(*context);
    ASSERT_NE(dialog, nullptr);
    dialog->pixelSizeEdit()->setText(QStringLiteral("abc"));
    EXPECT_FALSE(dialog->accept());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_FALSE(loadCalibration(context->calibrationFile).calibrated());

    dialog->pixelSizeEdit()->setText(QStringLiteral("5.5"));
    dialog->magnificationEdit()->setText(QStringLiteral("2"));
    ASSERT_TRUE(dialog->accept());
    const Calibration stored = loadCalibration(context->calibrationFile);
    EXPECT_DOUBLE_EQ(stored.pixelSizeUm, 5.5);
    EXPECT_DOUBLE_EQ(stored.magnification, 2.0);
    EXPECT_EQ(window->micronText("dMajor"), formatLength(window->result()->dMajor * 2.75)) << "units follow";

    // Opened again, it shows what is stored; an empty pixel size removes the calibration.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    context->openCalibrationDialog();
    dialog = CalibrationDialog::instance(*context);
    EXPECT_EQ(dialog->pixelSizeEdit()->text(), QStringLiteral("5.5"));
    dialog->pixelSizeEdit()->clear();
    ASSERT_TRUE(dialog->accept());
    EXPECT_FALSE(loadCalibration(context->calibrationFile).calibrated());
}

TEST_F(CalibrationDialogTest, AKnownDistanceDraggedOnThePictureGivesMicronsPerPixel)
{
    WorkspaceWindow *ws = openFrame(offCentreEllipse());
    ws->menuItem(QStringLiteral("horizontalCurve"))->trigger();
    const double cut = state->cut.CutPosition;
    context->openCalibrationDialog();
    CalibrationDialog *dialog = CalibrationDialog::instance(*context);
    dialog->knownLengthEdit()->setText(QStringLiteral("1000"));
    dialog->dragButton()->click();

    const QImage before = ws->picture().image();
    QWidget *view = ws->pictureView();
    mouse(view, QEvent::MouseButtonPress, 100, 300, Qt::LeftButton, Qt::LeftButton);
    mouse(view, QEvent::MouseMove, 200, 300, Qt::NoButton, Qt::LeftButton);
    EXPECT_NE(ws->picture().image(), before) << "the line follows the pointer";
    mouse(view, QEvent::MouseMove, 300, 300, Qt::NoButton, Qt::LeftButton);
    mouse(view, QEvent::MouseButtonRelease, 300, 300, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(ws->picture().image(), before) << "and is gone after the release";
    EXPECT_EQ(state->cut.CutPosition, cut) << "the drag did not move the cut";
    EXPECT_EQ(dialog->pixelSizeEdit()->text(), QStringLiteral("5"));
    EXPECT_EQ(dialog->magnificationEdit()->text(), QStringLiteral("1"));
    ASSERT_TRUE(dialog->accept());
    EXPECT_DOUBLE_EQ(loadCalibration(context->calibrationFile).umPerPixel(), 5.0);

    // The next press moves the cut again, and the curve window reads positions in µm too.
    mouse(view, QEvent::MouseButtonPress, 100, 300, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(state->cut.CutPosition, 300);
    CurveWindow *curves = CurveWindow::openWindow(*context);
    ASSERT_NE(curves, nullptr);
    mouse(curves->plotView(), QEvent::MouseMove, 330, 100, Qt::NoButton, Qt::NoButton);
    const double position = std::stod(curves->positionReadout()->text().section(u' ', 0, 0).toStdString());
    EXPECT_EQ(curves->positionReadout()->text(),
              QString::number(position) + QStringLiteral(" · ") + formatLength(position * 5.0));
}

} // namespace
} // namespace lumetra::test
