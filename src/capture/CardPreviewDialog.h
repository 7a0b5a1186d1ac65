#pragma once

#include "devices/CaptureDevice.h"

#include <QDialog>
#include <QList>
#include <QSize>

class QComboBox;
class QLabel;

namespace lumetra {

// The card's own display dialog: the frame sizes the device offers for its pixel layout, the
// size in force selected. Accepting sets the selected size in the layout in force; a size the
// device refuses is reported in the dialog, which then stays open.
class CardPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CardPreviewDialog(CaptureDevice &device, QWidget *parent = nullptr);

    QComboBox *sizeList() const { return m_sizes; }
    QLabel *statusLabel() const { return m_status; }
    void accept() override;

private:
    CaptureDevice &m_device;
    QList<QSize> m_offered;
    QComboBox *m_sizes = nullptr;
    QLabel *m_status = nullptr;
};

} // namespace lumetra
