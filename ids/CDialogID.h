#pragma once
// The ID editor: registers sign IDs (one, or a range with "Auto Add") or
// renames the current one. It collects the typed IDs and name; the rules of
// service/IdEditing.h decide, and IdServices writes.

#include <QDialog>

#include "service/IdEditing.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumitag::ids {

class IdServices;

class CDialogID : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Add = 0, Modify = 1 };

    // `currentId`: the ID modify mode renames (the current sign ID).
    CDialogID(IdServices& services, Mode mode, int currentId, QWidget* parent = nullptr);

    // Control numbers of template 163.
    static constexpr int kIdLabel = 1050, kIdList = 20000, kAutoAdd = 20030, kLastIdLabel = 1080,
                         kLastIdList = 20001, kNameLabel = 1079, kName = 1066, kOk = 1, kCancel = 2;

private:
    void OnAutoAdd(bool checked);
    void OnOk();
    void OkAdd();
    void OkModify();
    // Shows the message of a refused input; true when there was one.
    bool Refused(service::IdEditError error);

    IdServices& services_;
    Mode mode_;
    int currentId_;
    QComboBox* idList_;
    QCheckBox* autoAdd_;
    QLabel* lastIdLabel_;
    QComboBox* lastIdList_;
    QLabel* nameLabel_;
    QLineEdit* name_;
};

}  // namespace lumitag::ids
