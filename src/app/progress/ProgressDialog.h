#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace lumetra {

// Progress window of the sampling routines: a label ("正在读取灰度值" until the routine that shows
// it says otherwise) above a progress bar.
class ProgressDialog : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressDialog(QWidget *parent = nullptr);

    static QString defaultCaption();

    QLabel *caption() const { return m_label; }
    QProgressBar *progressBar() const { return m_bar; }

private:
    QLabel *m_label;
    QProgressBar *m_bar;
};

} // namespace lumetra
