// The capture windows with the English face: no Chinese left on the capture window, its card
// and camera dialogs, the live panel and the long-term recording window (their charts and what
// they say in message boxes and the status bar included), and the captions still fit.
#include "CaptureTestSupport.h"
#include "CaptureWindowRig.h"

#include "capture/CameraMenu.h"
#include "capture/CaptureCardControl.h"
#include "capture/CaptureSettingsDialog.h"
#include "capture/live/LiveMeasurement.h"
#include "capture/live/LiveMeasurer.h"
#include "capture/live/LivePanel.h"
#include "capture/monitoring/MonitorWindow.h"
#include "devices/AutoExposure.h"
#include "devices/CameraSettingsStore.h"
#include "devices/CaptureDevices.h"
#include "devices/SimulatedCaptureDevice.h"
#include "platform/display/FalseColourMenu.h"
#include "support/EnglishInterface.h"
#include "support/FakeBeamCamera.h"
#include "support/TextChecks.h"
#include "support/WidgetTexts.h"

#include <QAction>
#include <QChartView>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace lumetra;
using lumetra::test::CaptureWindowRig;
using lumetra::test::waitFor;

namespace {

// What an area showed while the English face was on.
struct Seen
{
    QStringList chinese; // every text still in Chinese, named by where it stands
    QStringList cut;     // captions that need more room than they were given

    // The texts of `window` and its charts (titles, series, axes); with `layout`, its captions'
    // room too (the window laid out and shown).
    void look(QWidget *window, bool layout)
    {
        QStringList found = test::chineseTexts(window);
        // The false-colour menu is the display platform's, whose own tests look at its texts.
        for (const FalseColourMenu *menu : window->findChildren<FalseColourMenu *>()) {
            for (const QString &t : test::chineseTexts(menu))
                found.removeAll(t);
            found.removeAll(QStringLiteral("QAction(%1): %2").arg(menu->menuAction()->objectName(), menu->title()));
        }
        chinese << found;
        for (const QChartView *view : window->findChildren<QChartView *>()) {
            QStringList texts{view->chart()->title()};
            for (const QAbstractSeries *s : view->chart()->series())
                texts << s->name();
            for (const QAbstractAxis *a : view->chart()->axes())
                texts << a->titleText();
            for (const QString &t : std::as_const(texts))
                if (test::containsChinese(t))
                    chinese << QStringLiteral("QChart(%1): %2").arg(view->objectName(), t);
        }
        if (layout)
            cut << cutCaptions(window);
    }
    void read(const QStringList &texts, const QString &where)
    {
        for (const QString &t : texts)
            if (test::containsChinese(t))
                chinese << where + QStringLiteral(": ") + t;
    }
    // The message boxes and questions the windows put up.
    void read(const ScriptedDialogs &dialogs)
    {
        for (const ScriptedDialogs::Message &m : dialogs.messages)
            read({m.text, m.title}, QStringLiteral("message"));
        for (const ScriptedDialogs::Input &i : dialogs.inputs)
            read({i.prompt, i.title}, QStringLiteral("input"));
        read(dialogs.inputProblems, QStringLiteral("input check"));
    }

    // Visible one-line labels and buttons whose text is wider than the part of them inside their
    // parent (a caption placed at a negative x loses what is left of 0).
    static QStringList cutCaptions(QWidget *window)
    {
        QStringList cut;
        const auto check = [&cut](const QWidget *w, const QString &text) {
            const int room = w->width() - std::max(0, -w->x());
            if (w->isVisible() && !text.isEmpty() && w->sizeHint().width() > room)
                cut << QStringLiteral("%1 \"%2\": needs %3 px, has %4")
                           .arg(QString::fromLatin1(w->metaObject()->className()), text)
                           .arg(w->sizeHint().width())
                           .arg(room);
        };
        for (const QLabel *l : window->findChildren<QLabel *>())
            if (!l->wordWrap())
                check(l, l->text());
        for (const QPushButton *b : window->findChildren<QPushButton *>())
            check(b, b->text());
        return cut;
    }
};

// Shows a dialog the window runs modally, looks at it and closes it.
ModalRunner lookingRunner(Seen &seen)
{
    return [&seen](QDialog &dialog) {
        dialog.show();
        dialog.adjustSize();
        QCoreApplication::processEvents();
        seen.look(&dialog, true);
        dialog.hide();
        return int(QDialog::Rejected);
    };
}

// The capture window on the simulated card with live measurement on and a spot measured; the
// status bar says the dark frame is gone, a frame is saved over an existing file.
void captureWindow(Seen &seen)
{
    QTemporaryDir dir;
    CaptureWindowRig rig;
    rig.context.calibrationFile = dir.filePath(QStringLiteral("lumetra.ini"));
    rig.useSimulated();
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(form && waitFor([form] { return !form->card->currentFrame().isNull(); }));
    form->menuItem(QStringLiteral("mnuLiveMeasure"))->trigger();
    auto *strip = form->findChild<QLabel *>(QStringLiteral("liveStrip"));
    const QString waiting = strip->text();
    ASSERT_TRUE(waitFor([strip, waiting] { return strip->text() != waiting; }, 10000));
    ASSERT_TRUE(waitFor([form] { return form->liveMeasurement()->panel()->plottedPoints() > 0; }, 10000));

    const QString existing = dir.filePath(QStringLiteral("frame.bmp"));
    QFile(existing).open(QIODevice::WriteOnly);
    rig.dialogs.fileAnswers.push_back(existing);
    form->menuItem(QStringLiteral("mnuSaveBMP"))->trigger();
    form->menuBar()->findChild<QAction *>(QStringLiteral("mnuClearDark"))->trigger();
    QTest::qWait(100);
    seen.look(form, true);
    seen.read(rig.dialogs);
    seen.read({form->cameraSettings(), form->windowTitle()}, QStringLiteral("capture window"));
}

// The card's dialogs: video settings, video properties, input selection and display properties,
// each as the capture window's menu opens it.
void cardDialogs(Seen &seen)
{
    CaptureWindowRig rig;
    rig.useSimulated();
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(form);
    rig.runner = lookingRunner(seen);
    for (const char *item : {"mnuConfig", "mnuDlgCaptureFilter", "mnuDlgCrossbar", "mnuDlgPreviewPin"})
        form->menuItem(QLatin1String(item))->trigger();
    CaptureSettingsDialog settings(rig.dialogs);
    settings.Initialize(form->card);
    settings.btnResetParame->click(); // says whether the card took the format
    settings.showSignalState();
    seen.look(&settings, false);
    seen.read(rig.dialogs);
}

// A camera behind the window: its settings dialog, the camera menu's questions and what the
// status bar says while averaging.
void cameraWindow(Seen &seen)
{
    QTemporaryDir dir;
    setCameraSettingsFile(dir.filePath(QStringLiteral("cameras.ini")));
    const test::FakeBeam beam;
    CaptureWindowRig rig;
    rig.context.calibrationFile = dir.filePath(QStringLiteral("lumetra.ini"));
    rig.useBeamCamera(&beam, 420);
    CaptureWindow *form = rig.open();
    ASSERT_TRUE(form && waitFor([form] { return form->card->currentDeepFrame() != nullptr; }, 10000));
    rig.runner = lookingRunner(seen);
    form->cameraMenu()->showCameraSettings();
    rig.dialogs.inputAnswers = {QStringLiteral("0"), QStringLiteral("4")}; // the first is refused
    form->cameraMenu()->chooseAveraging();
    form->cameraMenu()->refreshDropped();
    rig.dialogs.messageAnswers.push_back(Dialogs::Answer::Cancel);
    form->cameraMenu()->collectDark();
    ASSERT_TRUE(waitFor([form] { return !form->cameraMenu()->droppedLabel()->text().isEmpty(); }));
    QTest::qWait(100); // the status bar lays out its new labels
    seen.look(form, true);
    seen.read(rig.dialogs);
    seen.read({form->cameraSettings()}, QStringLiteral("camera settings"));
    setCameraSettingsFile({});
}

// The long-term recording window after a recording of a drifting spot.
void monitorWindow(Seen &seen)
{
    QTemporaryDir dir;
    MonitorWindow w;
    w.show();
    w.findChild<QLineEdit *>(QStringLiteral("monitorLogPath"))->setText(dir.filePath(QStringLiteral("run.csv")));
    w.setRecording(true);
    EXPECT_TRUE(w.isRecording());
    for (long long f = 1; f <= 50; ++f) {
        LiveSample s;
        s.frame = f;
        s.seconds = f / 25.0;
        s.result.status = f % 10 ? beam::BeamStatus::Ok : beam::BeamStatus::NoBeam;
        s.result.centroidX = 200.0 + 0.01 * f;
        s.result.centroidY = 150.0 + 0.2 * (f % 3);
        s.result.dX = s.result.dY = 40.0;
        w.offer(s, 0);
    }
    w.refresh();
    QCoreApplication::processEvents();
    seen.look(&w, true);
    w.setRecording(false);
    seen.look(&w, true);
}

// The devices' names and what the auto exposure says, which the windows show as they come.
void deviceTexts(Seen &seen)
{
    for (const CaptureDeviceEntry &entry : listCaptureDevices())
        seen.read({entry.label}, QStringLiteral("device"));
    for (const DeviceControl &c : SimulatedCaptureDevice().controls())
        seen.read({c.name}, QStringLiteral("control"));
    AutoExposure fixed(SettingRange{}, 100);
    AutoExposure adjusting(SettingRange{true, 10, 100}, 100);
    adjusting.feed(10, 1000); // far too dark at the longest exposure
    seen.read({fixed.message(), adjusting.message()}, QStringLiteral("auto exposure"));
}

struct Area
{
    const char *name;
    std::function<void(Seen &)> open;
};

const Area Areas[] = {
    {"CaptureWindow", captureWindow},
    {"CardDialogs", cardDialogs},
    {"CameraWindow", cameraWindow},
    {"MonitorWindow", monitorWindow},
    {"DeviceTexts", deviceTexts},
};

void PrintTo(const Area &area, std::ostream *out)
{
    *out << area.name;
}

class CaptureEnglish : public ::testing::TestWithParam<Area>
{
};

} // namespace

TEST_P(CaptureEnglish, ShowsNoChineseAndEveryCaptionFits)
{
    const test::EnglishInterface english; // before the windows
    Seen seen;
    GetParam().open(seen);
    EXPECT_TRUE(seen.chinese.isEmpty()) << qPrintable(seen.chinese.join(QLatin1Char('\n')));
    EXPECT_TRUE(seen.cut.isEmpty()) << qPrintable(seen.cut.join(QLatin1Char('\n')));
}

INSTANTIATE_TEST_SUITE_P(Areas, CaptureEnglish, ::testing::ValuesIn(Areas),
                         [](const ::testing::TestParamInfo<Area> &info) { return std::string(info.param.name); });
