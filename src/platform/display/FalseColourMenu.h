#pragma once

#include "types/Palette.h"

#include <QMenu>

class QAction;

namespace lumetra {

// "伪彩色": the palette (灰度, 彩虹, 感知均匀, 高对比度) and the switches of a picture in false colour
// (saturated pixels marked, black below the noise, colour bar, contours). Each change is kept in
// the user's settings under `window` and announced.
class FalseColourMenu : public QMenu
{
    Q_OBJECT

public:
    FalseColourMenu(const QString &window, QWidget *parent = nullptr);

    const FalseColourChoice &choice() const { return m_choice; }
    void setChoice(const FalseColourChoice &choice);
    // An entry by its name: "palette-grey", "palette-rainbow", "palette-viridis", "palette-contrast",
    // "markSaturated", "noiseBlack", "colourBar", "contours".
    QAction *entry(const QString &name) const;

signals:
    void choiceChanged(const lumetra::FalseColourChoice &choice);

private:
    void readEntries();

    QString m_window;
    FalseColourChoice m_choice;
};

} // namespace lumetra
