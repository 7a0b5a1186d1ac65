#pragma once

#include "platform/ports/AppContext.h"
#include "surface/PictureSurface.h"
#include "platform/printing/PrintOutcome.h"

#include <QPointer>
#include <QWidget>

class QLabel;

namespace lumetra {

class SurfaceView;

// The picture report "打印": the image file of ImagePath, read again from disk and cut at 640 x 480,
// under the caption "图", in a 680 x 680 window that prints its client area as one page while it
// loads and then stays on the screen showing what was printed. Where a PDF file went, or why the
// page was not printed, is written under the picture once the page is out.
class PictureReport : public QWidget
{
    Q_OBJECT

public:
    static constexpr int WindowSize = 680;
    static constexpr int PictureWidth = 640;
    static constexpr int PictureHeight = 480;

    // The open report window or nullptr.
    static PictureReport *instance(const AppContext &context);
    // Loads the picture, shows the window and prints it; an open window is only brought forward.
    // nullptr when `path` names no readable picture (a message says why; nothing is printed).
    static PictureReport *showWindow(AppContext &context, const QString &path);

    ~PictureReport() override;

    PictureSurface &picture() { return m_picture; }
    SurfaceView *pictureView() const { return m_pictureView; }
    QLabel *label1() const { return m_caption; }
    QLabel *noteLabel() const { return m_note; }
    const PrintOutcome &outcome() const { return m_outcome; }

private:
    PictureReport(AppContext &context, const QString &path);

    void layOut();
    void printClientArea();
    void showOutcome();

    AppContext &m_context;
    QString m_path;
    PictureSurface m_picture;
    SurfaceView *m_pictureView = nullptr;
    QLabel *m_caption = nullptr;
    QLabel *m_note = nullptr;
    PrintOutcome m_outcome;
};

} // namespace lumetra
