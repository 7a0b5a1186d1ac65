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

    QLineEdit *text1() { return m_text1; }
    QLineEdit *text2() { return m_text2; }
    // What is wrong with Text1 / Text2, in red under the box (hidden while the text is acceptable).
    QLabel *problem1() { return m_problem1; }
    QLabel *problem2() { return m_problem2; }
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
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QLabel *m_problem1 = nullptr;
    QLabel *m_problem2 = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace lumetra
