#pragma once

#include "types/Palette.h"

#include <QStringList>
#include <QWidget>

namespace lumetra {

// The colour bar beside a picture in false colour: the palette from its lowest code (bottom) to
// its highest (top), ticked in codes and in % of full scale (the camera's top code), with the
// signal colour of saturated pixels and the black of pixels below the noise when those are on.
// It lies over the picture, on a dark, half-transparent ground.
class ColourBar : public QWidget
{
    Q_OBJECT

public:
    explicit ColourBar(QWidget *parent = nullptr);

    // Codes `low`..`high` on the bar, `fullScale` the top code (100 %).
    void setScale(const FalseColourChoice &choice, double low, double high, double fullScale);
    // The ticks' texts, bottom to top, as drawn ("2048 · 50 %").
    QStringList tickTexts() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    FalseColourChoice m_choice;
    double m_low = 0;
    double m_high = 255;
    double m_fullScale = 255;
};

} // namespace lumetra
