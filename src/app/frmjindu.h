#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace lumetra {

// Progress window of the sampling routines: a label ("正在读取灰度值" until the routine that shows
// it says otherwise) above a progress bar.
class frmjindu : public QWidget
{
    Q_OBJECT

public:
    explicit frmjindu(QWidget *parent = nullptr);

    static QString defaultCaption();

    QLabel *Label1() const { return m_label; }
    QProgressBar *ProgressBar1() const { return m_bar; }

private:
    QLabel *m_label;
    QProgressBar *m_bar;
};

} // namespace lumetra
