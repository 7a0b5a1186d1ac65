#pragma once

#include "platform/ports/AppContext.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumetra {

// The settings dialog "设置": the integration width (Text2, 0..320) and the intensity-value
// display interval (Text1, 0..20), read from and saved to the program's settings file.
// Modeless, one instance at a time, destroyed when closed.
class SettingsDialog : public QWidget
{
    Q_OBJECT

public:
    static SettingsDialog *instance(const AppContext &context);
    // Shows the dialog at (300, 150), loading it first when it is not open.
    static SettingsDialog *showDialog(AppContext &context);
    // The settings file the dialog reads and writes; empty (the default) means the program's own.
    static void setSettingsPath(const QString &path);
    static QString settingsPath();

    ~SettingsDialog() override;

    QLineEdit *intervalEntry() { return m_interval.text; }
    QLineEdit *widthEntry() { return m_width.text; }
    // What is wrong with Text1 / Text2, in red under the box (hidden while the text is acceptable).
    QLabel *intervalProblem() { return m_interval.problem; }
    QLabel *widthProblem() { return m_width.problem; }
    QPushButton *okButton() { return m_ok; }
    QPushButton *cancelButton() { return m_cancel; }

    static constexpr int IntervalLimit = 20;
    static constexpr int WidthLimit = 320;

private:
    explicit SettingsDialog(AppContext &context);

    void load();
    void accept();
    void cancel();

    AppContext &m_context;
    // An entry and the label under it that says what is wrong with it.
    struct Entry
    {
        QLineEdit *text = nullptr;
        QLabel *problem = nullptr;
    };
    Entry m_interval; // the display interval of the intensity values (first line of the file)
    Entry m_width;    // the integration width (second line)
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace lumetra
