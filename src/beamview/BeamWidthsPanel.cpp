#include "beamview/BeamWidthsPanel.h"
#include "beamview/LabelLookup.h"

#include <QGridLayout>
#include <QLabel>

namespace lumetra {

BeamWidthsPanel::BeamWidthsPanel(QWidget *parent) : QGroupBox(tr("宽度"), parent)
{
    setObjectName(QStringLiteral("widths"));
    auto *grid = new QGridLayout(this);
    int row = 0;
    for (const WidthLine &line : widthLines(nullptr, Calibration{})) {
        grid->addWidget(new QLabel(line.caption, this), row, 0);
        for (const auto &[labels, column] : {std::pair{&m_pixels, 1}, std::pair{&m_microns, 2}}) {
            auto *value = new QLabel(this);
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            grid->addWidget(value, row, column);
            labels->insert(line.key, value);
        }
        ++row;
    }
    grid->setColumnMinimumWidth(1, 110);
    grid->setColumnMinimumWidth(2, 100);
    grid->setVerticalSpacing(2);
}

void BeamWidthsPanel::showWidths(const beam::BeamWidths *widths, const Calibration &calibration)
{
    for (const WidthLine &line : widthLines(widths, calibration)) {
        m_pixels.value(line.key)->setText(line.pixels);
        m_microns.value(line.key)->setText(line.microns);
    }
}

QString BeamWidthsPanel::pixelText(const QString &key) const
{
    return labelText(m_pixels, key);
}

QString BeamWidthsPanel::micronText(const QString &key) const
{
    return labelText(m_microns, key);
}

} // namespace lumetra
