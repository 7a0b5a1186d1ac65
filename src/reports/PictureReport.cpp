#include "reports/PictureReport.h"
#include "reports/NoteLabel.h"

#include "analysis/AnalysisState.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/framefiles/ImageLoader.h"
#include "platform/printing/PrinterService.h"
#include "platform/dialogs/SurfaceView.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLabel>
#include <QPalette>

#include <cmath>

namespace lumetra {

namespace {
constexpr int PictureTop = 100;
constexpr int LabelTop = 50;
constexpr double PictureLeftTwips = 10;
constexpr int NoteGap = 12;
constexpr int NoteLeft = 10;
const Colour PageColour = colours::White;

QFont songFont(double points, bool bold)
{
    QFont font(QStringLiteral("SimSun")); // 宋体, mapped to the bundled serif at start-up
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
} // namespace


PictureReport *PictureReport::instance(const AppContext &context)
{
    return context.singleWindow<PictureReport>(QStringLiteral("PictureReport"));
}

PictureReport *PictureReport::showWindow(AppContext &context, const QString &path)
{
    if (instance(context)) {
        showChildWindow(context, instance(context));
        return instance(context);
    }
    const ImageLoadResult loaded = loadImageFile(path);
    if (!loaded.ok()) {
        if (context.services.dialogs)
            context.services.dialogs->message(
                nullptr, tr("无法打印图片 %1。\n%2").arg(QDir::toNativeSeparators(path), loaded.error),
                tr("提示"), Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        return nullptr;
    }
    auto *form = new PictureReport(context, path);
    form->m_picture.setPicture(loaded.image);
    form->layOut();
    // The window prints what it shows, so it is shown at its size before its client area is taken.
    showChildWindow(context, form);
    childWindowFrame(form)->resize(WindowSize, WindowSize);
    form->printClientArea();
    form->showOutcome();
    return form;
}

PictureReport::PictureReport(AppContext &context, const QString &path)
    : m_context(context), m_path(path), m_picture(PictureWidth, PictureHeight)
{
    registerSingleWindow(context, this, QStringLiteral("PictureReport"), tr("打印"));

    QPalette page = palette();
    page.setColor(QPalette::Window, toQColor(PageColour));
    page.setColor(QPalette::WindowText, Qt::black);
    setPalette(page);
    setAutoFillBackground(true);

    m_picture.setBackColour(PageColour);
    m_pictureView = new SurfaceView(&m_picture, 0, this);
    m_pictureView->setObjectName(QStringLiteral("pictureView"));
    m_pictureView->setFocusPolicy(Qt::NoFocus);

    m_caption = new QLabel(tr("图"), this);
    m_caption->setObjectName(QStringLiteral("caption"));
    m_caption->setFont(songFont(15.75, true));

    m_note = makeNoteLabel(this);
}

PictureReport::~PictureReport() = default;

void PictureReport::layOut()
{
    // The form is the client area; its frame (when it has one) is sized to 680 x 680 once shown.
    resize(WindowSize, WindowSize);
    const int pictureLeft =
        static_cast<int>(std::lround(PictureLeftTwips / PrinterService::TwipsPerScreenPixel));
    m_pictureView->move(pictureLeft, PictureTop);
    m_caption->adjustSize();
    m_caption->move((WindowSize - m_caption->width()) / 2, LabelTop);
}

void PictureReport::printClientArea()
{
    PrinterService *printer = m_context.services.printer;
    if (!printer) {
        m_outcome = PrintOutcome::failed(tr("没有可用的打印机"));
        return;
    }
    const QString name = tr("图 %1").arg(QFileInfo(m_path).completeBaseName());
    m_outcome = printer->printImage(name, grab().toImage());
}

void PictureReport::showOutcome()
{
    if (m_outcome.result == PrintOutcome::Result::SavedToFile)
        announceSaved(m_context, m_outcome.filePath, tr("已保存为 PDF："));
    const QString note = outcomeNote(m_outcome);
    if (note.isEmpty())
        return;
    m_note->setText(note);
    const int width = WindowSize - 2 * NoteLeft;
    m_note->setGeometry(NoteLeft, PictureTop + PictureHeight + NoteGap, width, m_note->heightForWidth(width));
    m_note->show();
}

} // namespace lumetra
