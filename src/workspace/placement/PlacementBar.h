#pragma once

#include "types/PicturePlacement.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace lumetra {

// The one-line bar above the workspace picture when the picture is larger than the raster:
// "图片 1280×960 大于 640×480：[左上角] [光斑居中] [缩放]". The button of the current placement
// is checked; pressing another asks for that placement.
class PlacementBar : public QWidget
{
    Q_OBJECT

public:
    explicit PlacementBar(QWidget *parent = nullptr);

    void showFor(int pictureWidth, int pictureHeight, PlacementMode current);
    QString text() const;
    QPushButton *button(PlacementMode mode) const;

signals:
    void placementChosen(PlacementMode mode);

private:
    QLabel *m_label;
    QPushButton *m_buttons[3];
};

} // namespace lumetra
