#include "ids/CDialogGroup.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ids/CTreeOptionsCtrl.h"
#include "ids/DialogSupport.h"
#include "ids/IdServices.h"
#include "service/IdEditing.h"
#include "ui/DialogTexts.h"

namespace lumitag::ids {
namespace {

QPushButton* Button(int id, const char* text, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    ui::SetControlId(button, id);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CDialogGroup::CDialogGroup(IdServices& services, QWidget* parent) : QDialog(parent), services_(services)
{
    setWindowTitle(QStringLiteral("Group Send"));
    tree_ = new CTreeOptionsCtrl(this);
    ui::SetControlId(tree_, kTree);
    auto* all = Button(kAll, "All", this);
    auto* noAll = Button(kNoAll, "No All", this);
    auto* reverse = Button(kReverse, "Reverse", this);

    auto* powerBox = new QGroupBox(QStringLiteral("Power"), this);
    ui::SetControlId(powerBox, kPowerBox);
    auto* powerOn = Button(kPowerOn, "Power ON", powerBox);
    auto* powerOff = Button(kPowerOff, "Power OFF", powerBox);
    auto* powerLayout = new QVBoxLayout(powerBox);
    powerLayout->addWidget(powerOn);
    powerLayout->addWidget(powerOff);

    auto* sendBox = new QGroupBox(QStringLiteral("Send"), this);
    ui::SetControlId(sendBox, kSendBox);
    auto* sendAll = Button(kSendAll, "Send All", sendBox);
    auto* sendSelected = Button(kSendSelected, "Send Selected", sendBox);
    auto* sendLayout = new QVBoxLayout(sendBox);
    sendLayout->addWidget(sendAll);
    sendLayout->addWidget(sendSelected);

    auto* tickRow = new QHBoxLayout;
    tickRow->addWidget(all);
    tickRow->addWidget(noAll);
    tickRow->addWidget(reverse);
    auto* left = new QVBoxLayout;
    left->addWidget(tree_, 1);
    left->addLayout(tickRow);
    auto* right = new QVBoxLayout;
    right->addWidget(powerBox);
    right->addWidget(sendBox);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    tree_->setMinimumSize(fontMetrics().averageCharWidth() * 24, fontMetrics().height() * 14);

    jobButtons_ = {powerOn, powerOff, sendAll, sendSelected};
    FillTree();
    PrepareDialog(this, kGroupDialog);

    connect(all, &QPushButton::clicked, this,
            [this] { ForEachChild([](QTreeWidgetItem* item) { CTreeOptionsCtrl::SetItemImage(item, ItemImage::Checked); }); });
    connect(noAll, &QPushButton::clicked, this, [this] {
        ForEachChild([](QTreeWidgetItem* item) { CTreeOptionsCtrl::SetItemImage(item, ItemImage::Unchecked); });
    });
    connect(reverse, &QPushButton::clicked, this, [this] {
        ForEachChild([](QTreeWidgetItem* item) {
            CTreeOptionsCtrl::SetItemImage(item, CTreeOptionsCtrl::IsTicked(item) ? ItemImage::Unchecked
                                                                                : ItemImage::Checked);
        });
    });
    connect(powerOn, &QPushButton::clicked, this, [this] { OnJob(GroupMode::PowerOn); });
    connect(powerOff, &QPushButton::clicked, this, [this] { OnJob(GroupMode::PowerOff); });
    // Both send buttons send to the ticked IDs only.
    connect(sendAll, &QPushButton::clicked, this, [this] { OnJob(GroupMode::Send); });
    connect(sendSelected, &QPushButton::clicked, this, [this] { OnJob(GroupMode::Send); });
    connect(&services_, &IdServices::groupJobEnded, this, [this] { SetJobButtonsEnabled(true); },
            Qt::QueuedConnection);
    SetJobButtonsEnabled(!services_.GroupJobRunning());
}

void CDialogGroup::FillTree()
{
    tree_->clear();
    root_ = new QTreeWidgetItem(tree_, QStringList{QStringLiteral("LED")});
    CTreeOptionsCtrl::SetItemImage(root_, ItemImage::Group);
    for (const auto& entry : services_.LegacyIds()) {
        auto* child = new QTreeWidgetItem(root_, QStringList{QString::fromStdString(entry.label)});
        CTreeOptionsCtrl::SetItemImage(child, ItemImage::Unchecked);
        // Every ID starts ticked.
        CTreeOptionsCtrl::SetItemImage(child, ItemImage::Checked);
    }
    tree_->expandItem(root_);
}

template <typename Change>
void CDialogGroup::ForEachChild(Change change)
{
    for (int i = 0; i < root_->childCount(); ++i) change(root_->child(i));
}

std::vector<int> CDialogGroup::SelectedIds() const
{
    std::vector<int> ids;
    for (int i = 0; i < root_->childCount(); ++i) {
        const QTreeWidgetItem* child = root_->child(i);
        const QString text = child->text(0);
        const qsizetype dot = text.indexOf(QLatin1Char('.'));
        if (CTreeOptionsCtrl::IsTicked(child) && dot >= 0)
            ids.push_back(service::ReadIdText(text.left(dot).toStdString()));
    }
    return ids;
}

void CDialogGroup::OnJob(GroupMode mode)
{
    const std::vector<int> ids = SelectedIds();
    if (ids.empty()) return;
    if (services_.StartGroupJob(ids, mode)) SetJobButtonsEnabled(false);
}

void CDialogGroup::SetJobButtonsEnabled(bool enabled)
{
    for (QPushButton* button : jobButtons_) button->setEnabled(enabled);
}

}  // namespace lumitag::ids
