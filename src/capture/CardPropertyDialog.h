#pragma once

#include "devices/CaptureDevice.h"

#include <QDialog>
#include <QList>

class QAbstractSlider;
class QCheckBox;
class QLabel;
class QPushButton;

namespace lumetra {

// The card's own video property dialog: one row for every control the device reports, a slider
// on the control's own range (or a check box for an on/off control) with its value. A change
// goes to the device at once and the row shows what the device keeps.
class CardPropertyDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CardPropertyDialog(CaptureDevice &device, QWidget *parent = nullptr);

    int rowCount() const { return int(m_rows.size()); }
    QString rowName(int row) const;
    // The slider of a row (nullptr for an on/off control) and its check box (nullptr otherwise).
    QAbstractSlider *slider(int row) const;
    QCheckBox *checkBox(int row) const;
    QLabel *valueLabel(int row) const;
    QPushButton *defaultsButton() const { return m_defaults; }
    // The device's word on the last change it did not take (hidden while there is none).
    QLabel *refusalLabel() const { return m_refusal; }

private:
    void showRefusals(QStringList refusals);
    struct Row
    {
        DeviceControl control;
        QAbstractSlider *slider = nullptr;
        QCheckBox *check = nullptr;
        QLabel *value = nullptr;
    };

    void write(int row, int value);
    void refresh();
    void restoreDefaults();

    CaptureDevice &m_device;
    QList<Row> m_rows;
    QPushButton *m_defaults = nullptr;
    QLabel *m_refusal = nullptr;
};

} // namespace lumetra
