#include "platform/display/FalseColourMenu.h"

#include "platform/settings/FalseColourSetting.h"

#include <QAction>
#include <QActionGroup>

namespace lumetra {

FalseColourMenu::FalseColourMenu(const QString &window, QWidget *parent)
    : QMenu(tr("伪彩色"), parent), m_window(window), m_choice(loadFalseColour(window))
{
    setObjectName(QStringLiteral("falseColour"));
    auto *group = new QActionGroup(this);
    const std::pair<Palette, QString> palettes[] = {
        {Palette::Grey, tr("灰度")},
        {Palette::Rainbow, tr("彩虹")},
        {Palette::Viridis, tr("感知均匀（viridis）")},
        {Palette::HighContrast, tr("高对比度")},
    };
    for (const auto &[palette, caption] : palettes) {
        QAction *a = addAction(caption);
        a->setObjectName(QStringLiteral("palette-") + QLatin1String(paletteWord(palette)));
        a->setCheckable(true);
        a->setData(int(palette));
        group->addAction(a);
    }
    addSeparator();
    const std::pair<const char *, QString> switches[] = {
        {"markSaturated", tr("饱和像素标色")},
        {"noiseBlack", tr("噪声以下显示为黑色")},
        {"colourBar", tr("色标")},
        {"contours", tr("等高线（13.5 %、50 %）")},
    };
    for (const auto &[name, caption] : switches) {
        QAction *a = addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setCheckable(true);
    }
    setChoice(m_choice);
    connect(this, &QMenu::triggered, this, [this] {
        readEntries();
        saveFalseColour(m_window, m_choice);
        emit choiceChanged(m_choice);
    });
}

QAction *FalseColourMenu::entry(const QString &name) const
{
    for (QAction *a : actions())
        if (a->objectName() == name)
            return a;
    return nullptr;
}

void FalseColourMenu::setChoice(const FalseColourChoice &choice)
{
    m_choice = choice;
    entry(QStringLiteral("palette-") + QLatin1String(paletteWord(choice.palette)))->setChecked(true);
    entry(QStringLiteral("markSaturated"))->setChecked(choice.markSaturated);
    entry(QStringLiteral("noiseBlack"))->setChecked(choice.noiseBlack);
    entry(QStringLiteral("colourBar"))->setChecked(choice.colourBar);
    entry(QStringLiteral("contours"))->setChecked(choice.contours);
}

void FalseColourMenu::readEntries()
{
    for (QAction *a : actions())
        if (a->objectName().startsWith(QStringLiteral("palette-")) && a->isChecked())
            m_choice.palette = Palette(a->data().toInt());
    m_choice.markSaturated = entry(QStringLiteral("markSaturated"))->isChecked();
    m_choice.noiseBlack = entry(QStringLiteral("noiseBlack"))->isChecked();
    m_choice.colourBar = entry(QStringLiteral("colourBar"))->isChecked();
    m_choice.contours = entry(QStringLiteral("contours"))->isChecked();
}

} // namespace lumetra
