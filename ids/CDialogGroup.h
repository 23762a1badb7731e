#pragma once
// The group send dialog: the IDs of the older ID list in a check-box tree,
// buttons that tick all, none or the reverse, and the four job buttons that
// hand the ticked IDs, in tree order, to the group job (power on, power off,
// send). The job buttons stay disabled while the job they started runs, so a
// second press cannot start a second job.

#include <QDialog>
#include <vector>

#include "link/SendWorker.h"

class QPushButton;
class QTreeWidgetItem;

namespace lumitag::ids {

class CTreeOptionsCtrl;
class IdServices;

class CDialogGroup : public QDialog {
    Q_OBJECT
public:
    explicit CDialogGroup(IdServices& services, QWidget* parent = nullptr);

    // Control numbers of template 310.
    static constexpr int kTree = 1017, kAll = 1105, kNoAll = 1106, kReverse = 1107, kPowerBox = 1108,
                         kPowerOn = 1065, kPowerOff = 1068, kSendBox = 1109, kSendAll = 1069, kSendSelected = 1070;

    // The ticked IDs in tree order: the number before the first "." of each
    // ticked child's text; a child without "." is left out.
    std::vector<int> SelectedIds() const;

private:
    void FillTree();
    template <typename Change>
    void ForEachChild(Change change);
    void OnJob(GroupMode mode);
    void SetJobButtonsEnabled(bool enabled);

    IdServices& services_;
    CTreeOptionsCtrl* tree_;
    QTreeWidgetItem* root_ = nullptr;
    std::vector<QPushButton*> jobButtons_;
};

}  // namespace lumitag::ids
