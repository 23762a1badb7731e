#pragma once
// A tree whose items carry check boxes drawn as item images. Each item holds
// one image index, which is its state; a click on an item or the space bar
// on the current item toggles a check box that is not disabled.

#include <QTreeWidget>

namespace lumitag::ids {

enum class ItemImage : int {
    Unchecked = 0,
    Checked = 1,
    OptionOff = 2,
    OptionOn = 3,
    UncheckedDisabled = 4,
    CheckedDisabled = 5,
    OptionOffDisabled = 6,
    OptionOnDisabled = 7,
    Group = 8,  // a node without a check box
};

class CTreeOptionsCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CTreeOptionsCtrl(QWidget* parent = nullptr);

    // The item's image is its state; the picture follows it.
    static void SetItemImage(QTreeWidgetItem* item, ItemImage image);
    static ItemImage GetItemImage(const QTreeWidgetItem* item);
    // Ticked: a check box with its mark, enabled or not.
    static bool IsTicked(const QTreeWidgetItem* item);
    // An enabled check box flips; every other image stays.
    static void Toggle(QTreeWidgetItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // True when `pos` is on the expand button of `item`.
    bool OnExpandButton(QTreeWidgetItem* item, const QPoint& pos) const;
};

}  // namespace lumitag::ids
