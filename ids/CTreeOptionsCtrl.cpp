#include "ids/CTreeOptionsCtrl.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <array>

#include "ui/Art.h"

namespace lumitag::ids {
namespace {

constexpr int kImageRole = Qt::UserRole + 1;

const QIcon& ImageIcon(ItemImage image)
{
    static const std::array<QIcon, 9> icons = [] {
        const char* names[] = {
            "tree-check-off",          "tree-check-on",          "tree-option-off",
            "tree-option-on",          "tree-check-off-disabled", "tree-check-on-disabled",
            "tree-option-off-disabled", "tree-option-on-disabled", "tree-group",
        };
        std::array<QIcon, 9> out;
        for (std::size_t i = 0; i < out.size(); ++i) out[i] = ui::ArtIcon(QString::fromLatin1(names[i]));
        return out;
    }();
    return icons[static_cast<std::size_t>(image)];
}

}  // namespace

CTreeOptionsCtrl::CTreeOptionsCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void CTreeOptionsCtrl::SetItemImage(QTreeWidgetItem* item, ItemImage image)
{
    item->setData(0, kImageRole, static_cast<int>(image));
    item->setIcon(0, ImageIcon(image));
}

ItemImage CTreeOptionsCtrl::GetItemImage(const QTreeWidgetItem* item)
{
    const int value = item->data(0, kImageRole).toInt();
    return value >= 0 && value <= static_cast<int>(ItemImage::Group) ? static_cast<ItemImage>(value)
                                                                     : ItemImage::Unchecked;
}

bool CTreeOptionsCtrl::IsTicked(const QTreeWidgetItem* item)
{
    const ItemImage image = GetItemImage(item);
    return image == ItemImage::Checked || image == ItemImage::CheckedDisabled;
}

void CTreeOptionsCtrl::Toggle(QTreeWidgetItem* item)
{
    const ItemImage image = GetItemImage(item);
    if (image == ItemImage::Unchecked) SetItemImage(item, ItemImage::Checked);
    else if (image == ItemImage::Checked) SetItemImage(item, ItemImage::Unchecked);
}

bool CTreeOptionsCtrl::OnExpandButton(QTreeWidgetItem* item, const QPoint& pos) const
{
    if (item->childCount() == 0) return false;
    const QRect rect = visualItemRect(item);
    if (layoutDirection() == Qt::RightToLeft) return pos.x() > rect.right() && pos.x() <= rect.right() + indentation();
    return pos.x() < rect.left() && pos.x() >= rect.left() - indentation();
}

void CTreeOptionsCtrl::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = event->button() == Qt::LeftButton ? itemAt(event->position().toPoint()) : nullptr;
    if (item && !OnExpandButton(item, event->position().toPoint())) Toggle(item);
    // Then the tree's own handling (selection, expanding).
    QTreeWidget::mousePressEvent(event);
}

void CTreeOptionsCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && currentItem()) {
        Toggle(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

}  // namespace lumitag::ids
