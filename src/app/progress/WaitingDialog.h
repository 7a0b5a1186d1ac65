#pragma once

#include <QWidget>

class QProgressBar;

namespace lumetra {

// Progress window of the filters: a frame captioned "Applying filter. Please, wait." around a
// progress bar, with the busy pointer over it.
class WaitingDialog : public QWidget
{
    Q_OBJECT

public:
    explicit WaitingDialog(QWidget *parent = nullptr);

    QProgressBar *progressBar() const { return m_bar; }

private:
    QProgressBar *m_bar;
};

} // namespace lumetra
