#pragma once

#include "platform/ports/AppContext.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lumetra {

// "标定": the size of a picture pixel on the object, stored in the user's settings. Either the
// camera's pixel size in µm with an optional magnification of the optics, or a known distance:
// the user types its length in µm and drags across it on the workspace picture, which gives the
// µm per pixel directly (the magnification is then 1). An empty pixel size removes the
// calibration. One instance, non-modal.
class CalibrationDialog : public QWidget
{
    Q_OBJECT

public:
    static CalibrationDialog *instance(const AppContext &context);
    static CalibrationDialog *showDialog(AppContext &context);
    ~CalibrationDialog() override;

    QLineEdit *pixelSizeEdit() const { return m_pixelSize; }
    QLineEdit *magnificationEdit() const { return m_magnification; }
    QLineEdit *knownLengthEdit() const { return m_knownLength; }
    QPushButton *dragButton() const { return m_drag; }
    QLabel *dragResult() const { return m_dragResult; }

    // "确定": checks and stores the entries and closes; false (with a message, nothing stored)
    // when an entry is not a positive number or the settings cannot be written.
    bool accept();
    // The drag across the known distance ended: its length in picture pixels.
    void distancePicked(double pictureLength);

private:
    explicit CalibrationDialog(AppContext &context);
    void startDrag();
    void warn(const QString &text);
    // An entry left empty keeps `value`; a positive number replaces it; anything else is warned
    // about with `problem` and gives false.
    bool readOptional(const QLineEdit *entry, const QString &problem, double &value);

    AppContext &m_context;
    QLineEdit *m_pixelSize = nullptr;
    QLineEdit *m_magnification = nullptr;
    QLineEdit *m_knownLength = nullptr;
    QPushButton *m_drag = nullptr;
    QLabel *m_dragResult = nullptr;
};

} // namespace lumetra
