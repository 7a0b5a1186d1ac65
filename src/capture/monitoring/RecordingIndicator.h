#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace lumetra {

class MonitorWindow;

// The capture window's status-bar sign of a long-term recording: "● 记录中 <time> → <log>" and
// 停止, shown while the recording window records, whether that window is open or closed.
class RecordingIndicator : public QWidget
{
    Q_OBJECT

public:
    explicit RecordingIndicator(QWidget *parent = nullptr);

    // Follows `window` (null: nothing records).
    void follow(MonitorWindow *window);
    // Shows what the followed window does now.
    void refresh();

    QLabel *label() const { return m_label; }
    QPushButton *stopButton() const { return m_stop; }

private:
    QPointer<MonitorWindow> m_window;
    QLabel *m_label = nullptr;
    QPushButton *m_stop = nullptr;
    QElapsedTimer m_since;
};

} // namespace lumetra
