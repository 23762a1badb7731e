#include "ids/CDialogID.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ids/DialogSupport.h"
#include "ids/IdServices.h"
#include "service/IdEditing.h"
#include "ui/DialogTexts.h"

namespace lumitag::ids {
namespace {

QLabel* Label(int id, const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    ui::SetControlId(label, id);
    return label;
}

QPushButton* Button(int id, const char* text, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    ui::SetControlId(button, id);
    return button;
}

}  // namespace

CDialogID::CDialogID(IdServices& services, Mode mode, int currentId, QWidget* parent)
    : QDialog(parent), services_(services), mode_(mode), currentId_(currentId)
{
    setWindowTitle(QStringLiteral("ID Editor"));
    auto* idLabel = Label(kIdLabel, "ID", this);
    idList_ = MakeIdList(kIdList, this);
    autoAdd_ = new QCheckBox(QStringLiteral("Auto Add"), this);
    ui::SetControlId(autoAdd_, kAutoAdd);
    lastIdLabel_ = Label(kLastIdLabel, "New ID", this);
    lastIdList_ = MakeIdList(kLastIdList, this);
    nameLabel_ = Label(kNameLabel, "Name", this);
    name_ = new QLineEdit(this);
    ui::SetControlId(name_, kName);
    // A record holds 255 characters; the rules cut a longer name too.
    name_->setMaxLength(kNameLimit);
    auto* ok = Button(kOk, "OK", this);
    auto* cancel = Button(kCancel, "Cancel", this);
    ok->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(idLabel, 0, 0);
    grid->addWidget(idList_, 0, 1);
    grid->addWidget(autoAdd_, 0, 2);
    grid->addWidget(lastIdLabel_, 1, 0);
    grid->addWidget(lastIdList_, 1, 1);
    grid->addWidget(nameLabel_, 2, 0);
    grid->addWidget(name_, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    name_->setMinimumWidth(fontMetrics().averageCharWidth() * 24);

    lastIdLabel_->hide();
    lastIdList_->hide();
    if (mode_ == Mode::Modify) {
        idList_->setCurrentIndex(currentId_ >= 1 && currentId_ <= idList_->count() ? currentId_ - 1 : -1);
        idList_->setEnabled(false);
        autoAdd_->hide();
    } else {
        name_->setText(QString::fromUtf8(service::kDefaultIdName.data(),
                                         static_cast<qsizetype>(service::kDefaultIdName.size())));
    }
    PrepareDialog(this, kIdEditorDialog);
    if (mode_ == Mode::Modify && service::IsEditableId(currentId_))
        name_->setText(QString::fromStdString(services_.Registry().records[currentId_].name));

    connect(autoAdd_, &QCheckBox::toggled, this, &CDialogID::OnAutoAdd);
    connect(ok, &QPushButton::clicked, this, &CDialogID::OnOk);
    connect(cancel, &QPushButton::clicked, this, &CDialogID::reject);
}

void CDialogID::OnAutoAdd(bool checked)
{
    lastIdLabel_->setVisible(checked);
    lastIdList_->setVisible(checked);
    nameLabel_->setVisible(!checked);
    name_->setVisible(!checked);
}

void CDialogID::OnOk()
{
    if (mode_ == Mode::Modify) OkModify();
    else OkAdd();
}

bool CDialogID::Refused(service::IdEditError error)
{
    if (error == service::IdEditError::None) return false;
    services_.Messages().Message(service::IdEditMessageKind(error), std::string(service::IdEditMessage(error)));
    return true;
}

void CDialogID::OkAdd()
{
    const std::string first = idList_->currentText().toStdString();
    const std::string last = lastIdList_->currentText().toStdString();
    const std::string name = name_->text().toStdString();
    service::IdAddRequest request{first, std::nullopt, name};
    if (autoAdd_->isChecked()) request.lastText = last;
    const service::IdAddPlan plan = service::PlanIdAdd(services_.Registry(), request);
    if (Refused(plan.error)) return;
    // The program of a registered ID would be replaced by the default one.
    if (!plan.registered.empty() && !services_.Messages().Ask(service::ReplaceQuestion(plan.registered))) return;
    services_.Add(plan);
    accept();
}

void CDialogID::OkModify()
{
    const service::IdRenamePlan plan = service::PlanIdRename(currentId_, name_->text().toStdString());
    if (Refused(plan.error)) return;
    services_.Rename(plan);
    accept();
}

}  // namespace lumitag::ids
