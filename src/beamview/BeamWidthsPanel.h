#pragma once

#include "beamview/BeamWidthsReadout.h"

#include <QGroupBox>
#include <QHash>

class QLabel;

namespace lumetra {

// The beam window's "宽度" section: every width and shape figure beyond D4σ, in pixels and, once
// calibrated, in µm (see widthLines).
class BeamWidthsPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit BeamWidthsPanel(QWidget *parent = nullptr);

    void showWidths(const beam::BeamWidths *widths, const Calibration &calibration);

    // The shown texts of a figure by its key ("d86", "gaussR2", ...).
    QString pixelText(const QString &key) const;
    QString micronText(const QString &key) const;

private:
    QHash<QString, QLabel *> m_pixels;
    QHash<QString, QLabel *> m_microns;
};

} // namespace lumetra
