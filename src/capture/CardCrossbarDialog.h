#pragma once

#include "devices/CaptureDevice.h"

#include <QDialog>

class QListWidget;

namespace lumetra {

// The card's own input dialog: the inputs as the device names them, the one in use selected.
// Accepting switches to the selected input.
class CardCrossbarDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CardCrossbarDialog(CaptureDevice &device, QWidget *parent = nullptr);

    QListWidget *inputList() const { return m_list; }
    void accept() override;

private:
    CaptureDevice &m_device;
    QListWidget *m_list = nullptr;
};

} // namespace lumetra
