#include "workspace/placement/PlacementOptionsDialog.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/settings/PixelBudgetSetting.h"
#include "platform/settings/PlacementSetting.h"
#include "workspace/WorkspaceWindow.h"
#include "workspace/WorkspaceGeometry.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace lumetra {

namespace {
constexpr PlacementMode Modes[3] = {PlacementMode::TopLeft, PlacementMode::Beam, PlacementMode::Fit};
const QString Name = QStringLiteral("PlacementOptionsDialog");
} // namespace

PlacementOptionsDialog *PlacementOptionsDialog::instance(const AppContext &context)
{
    return context.singleWindow<PlacementOptionsDialog>(Name);
}

PlacementOptionsDialog *PlacementOptionsDialog::showDialog(AppContext &context)
{
    return context.showSingleWindow<PlacementOptionsDialog>(
        Name, [&context] { return new PlacementOptionsDialog(context); }, workspace::SettingsPosition);
}

PlacementOptionsDialog::PlacementOptionsDialog(AppContext &context) : m_context(context)
{
    registerSingleWindow(context, this, Name, tr("选项"));

    auto *group = new QGroupBox(tr("大于 640×480 的图片"), this);
    auto *choices = new QVBoxLayout(group);
    const PlacementMode stored = loadPlacementMode();
    const QString hints[3] = {tr("%1（原尺寸，显示左上角）"), tr("%1（原尺寸，以光斑质心为中心）"),
                              tr("%1（整幅缩小，保持比例）")};
    for (int i = 0; i < 3; ++i) {
        m_choices[i] = new QRadioButton(hints[i].arg(placementCaption(Modes[i])), group);
        m_choices[i]->setObjectName(QStringLiteral("choice-") + placementWord(Modes[i]));
        m_choices[i]->setChecked(Modes[i] == stored);
        choices->addWidget(m_choices[i]);
    }
    auto *limitGroup = new QGroupBox(tr("最大图片"), this);
    auto *limitRow = new QHBoxLayout(limitGroup);
    m_maxMegapixels = new QSpinBox(limitGroup);
    m_maxMegapixels->setObjectName(QStringLiteral("maxMegapixels"));
    m_maxMegapixels->setRange(1, 2000);
    m_maxMegapixels->setSuffix(tr(" 百万像素"));
    m_maxMegapixels->setValue(int(std::clamp<qint64>(loadPixelBudgetSetting() / 1'000'000, 1, 2000)));
    limitRow->addWidget(m_maxMegapixels);
    limitRow->addWidget(new QLabel(tr("（更大的图片不读入）"), limitGroup));

    auto *ok = new QPushButton(tr("确定"), this);
    ok->setObjectName(QStringLiteral("ok"));
    auto *cancel = new QPushButton(tr("取消"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancel, &QPushButton::clicked, this, [this] { childWindowFrame(this)->close(); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(limitGroup);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QRadioButton *PlacementOptionsDialog::choice(PlacementMode mode) const
{
    for (int i = 0; i < 3; ++i)
        if (Modes[i] == mode)
            return m_choices[i];
    return nullptr;
}

void PlacementOptionsDialog::accept()
{
    PlacementMode chosen = PlacementMode::TopLeft;
    for (int i = 0; i < 3; ++i)
        if (m_choices[i]->isChecked())
            chosen = Modes[i];
    const bool saved = savePixelBudgetSetting(qint64(m_maxMegapixels->value()) * 1'000'000);
    applyPixelBudgetSetting();
    if (!(savePlacementMode(chosen) && saved) && m_context.services.dialogs)
        m_context.services.dialogs->message(this, tr("无法保存选项：设置文件不可写。"), tr("警告!!"),
                                            Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
    if (WorkspaceWindow *workspace = WorkspaceWindow::instance(m_context))
        workspace->setPlacement(chosen);
    childWindowFrame(this)->close();
}

} // namespace lumetra
