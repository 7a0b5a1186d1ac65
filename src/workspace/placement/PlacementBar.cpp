#include "workspace/placement/PlacementBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace lumetra {

namespace {
constexpr PlacementMode Modes[3] = {PlacementMode::TopLeft, PlacementMode::Beam, PlacementMode::Fit};
}

PlacementBar::PlacementBar(QWidget *parent) : QWidget(parent), m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("placementBar"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(m_label);
    for (int i = 0; i < 3; ++i) {
        auto *b = new QPushButton(placementCaption(Modes[i]), this);
        b->setObjectName(QStringLiteral("placement-") + placementWord(Modes[i]));
        b->setCheckable(true);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, i] {
            // A checkable button unchecks itself on a second press; the bar shows the state.
            emit placementChosen(Modes[i]);
        });
        layout->addWidget(b);
        m_buttons[i] = b;
    }
    layout->addStretch(1);
    hide();
}

void PlacementBar::showFor(int pictureWidth, int pictureHeight, PlacementMode current)
{
    if (!exceedsWorkspace(pictureWidth, pictureHeight)) {
        hide();
        return;
    }
    m_label->setText(tr("图片 %1×%2 大于 %3×%4：")
                         .arg(pictureWidth)
                         .arg(pictureHeight)
                         .arg(WorkspaceRasterWidth)
                         .arg(WorkspaceRasterHeight));
    for (int i = 0; i < 3; ++i)
        m_buttons[i]->setChecked(Modes[i] == current);
    show();
}

QString PlacementBar::text() const
{
    QString t = m_label->text();
    for (QPushButton *b : m_buttons)
        t += QStringLiteral("[%1] ").arg(b->text());
    return t.trimmed();
}

QPushButton *PlacementBar::button(PlacementMode mode) const
{
    for (int i = 0; i < 3; ++i)
        if (Modes[i] == mode)
            return m_buttons[i];
    return nullptr;
}

} // namespace lumetra
