#pragma once

#include "platform/ports/AppContext.h"
#include "types/PicturePlacement.h"

#include <QWidget>

class QRadioButton;
class QSpinBox;

namespace lumetra {

// "选项": how a picture larger than 640 x 480 is placed in the workspace (左上角, 光斑居中,
// 缩放), and the largest picture read at all (millions of pixels, checked from a file's header
// before anything is decoded). "确定" stores both in the user's settings and applies them;
// "取消" leaves everything as it was. Modeless, one instance.
class PlacementOptionsDialog : public QWidget
{
    Q_OBJECT

public:
    static PlacementOptionsDialog *showDialog(AppContext &context);
    static PlacementOptionsDialog *instance(const AppContext &context);

    QRadioButton *choice(PlacementMode mode) const;
    QSpinBox *maxMegapixels() const { return m_maxMegapixels; }
    void accept();

private:
    explicit PlacementOptionsDialog(AppContext &context);

    AppContext &m_context;
    QRadioButton *m_choices[3];
    QSpinBox *m_maxMegapixels = nullptr;
};

} // namespace lumetra
