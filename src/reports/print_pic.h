#pragma once

#include "platform/AppContext.h"
#include "platform/PictureSurface.h"
#include "platform/PrintOutcome.h"

#include <QPointer>
#include <QWidget>

class QLabel;

namespace lumetra {

class SurfaceView;

// The picture report "打印": the image file of ImagePath, read again from disk and cut at 640 x 480,
// under the caption "图", in a 680 x 680 window that prints its client area as one page while it
// loads and then stays on the screen showing what was printed. Where a PDF file went, or why the
// page was not printed, is written under the picture once the page is out.
class print_pic : public QWidget
{
    Q_OBJECT

public:
    static constexpr int WindowSize = 680;
    static constexpr int PictureWidth = 640;
    static constexpr int PictureHeight = 480;

    // The open report window or nullptr.
    static print_pic *instance(const AppContext &context);
    // Loads the picture, shows the window and prints it; an open window is only brought forward.
    // nullptr when ImagePath names no readable picture (a message says why; nothing is printed).
    static print_pic *showWindow(AppContext &context);

    ~print_pic() override;

    PictureSurface &picture() { return m_picture; }
    SurfaceView *pictureView() const { return m_pictureView; }
    QLabel *label1() const { return m_label1; }
    QLabel *noteLabel() const { return m_note; }
    const PrintOutcome &outcome() const { return m_outcome; }

private:
    explicit print_pic(AppContext &context);

    void layOut();
    void printClientArea();
    void showOutcome();

    AppContext &m_context;
    PictureSurface m_picture;
    SurfaceView *m_pictureView = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_note = nullptr;
    PrintOutcome m_outcome;
};

} // namespace lumetra
