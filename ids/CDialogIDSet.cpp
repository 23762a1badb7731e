#include "ids/CDialogIDSet.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ids/DialogSupport.h"
#include "ids/IdServices.h"
#include "service/IdEditing.h"
#include "ui/DialogTexts.h"

namespace lumitag::ids {

CDialogIDSet::CDialogIDSet(IdServices& services, QWidget* parent) : QDialog(parent), services_(services)
{
    setWindowTitle(QStringLiteral("ID modify "));
    auto* oldLabel = new QLabel(QStringLiteral("Old ID"), this);
    ui::SetControlId(oldLabel, kOldIdLabel);
    auto* newLabel = new QLabel(QStringLiteral("New ID"), this);
    ui::SetControlId(newLabel, kNewIdLabel);
    oldId_ = MakeIdList(kOldId, this);
    newId_ = MakeIdList(kNewId, this);
    read_ = new QPushButton(QStringLiteral("Read"), this);
    ui::SetControlId(read_, kRead);
    set_ = new QPushButton(QStringLiteral("Set"), this);
    ui::SetControlId(set_, kSet);

    auto* grid = new QGridLayout(this);
    grid->addWidget(oldLabel, 0, 0);
    grid->addWidget(oldId_, 0, 1);
    grid->addWidget(read_, 0, 2);
    grid->addWidget(newLabel, 1, 0);
    grid->addWidget(newId_, 1, 1);
    grid->addWidget(set_, 1, 2);
    grid->setColumnStretch(1, 1);
    oldId_->setMinimumWidth(fontMetrics().averageCharWidth() * 10);

    readTimer_.setObjectName(QStringLiteral("readTimer"));
    readTimer_.setSingleShot(true);
    readTimer_.setInterval(kReadWaitMs);
    setTimer_.setObjectName(QStringLiteral("setTimer"));
    setTimer_.setSingleShot(true);
    setTimer_.setInterval(kSetWaitMs);
    readTimer_.setParent(this);
    setTimer_.setParent(this);

    PrepareDialog(this, kIdToolDialog);

    connect(read_, &QPushButton::clicked, this, &CDialogIDSet::OnRead);
    connect(set_, &QPushButton::clicked, this, &CDialogIDSet::OnSet);
    connect(&readTimer_, &QTimer::timeout, this, &CDialogIDSet::OnReadTimer);
    connect(&setTimer_, &QTimer::timeout, this, &CDialogIDSet::OnSetTimer);
}

void CDialogIDSet::SetControlsEnabled(bool enabled)
{
    for (QWidget* control : {static_cast<QWidget*>(oldId_), static_cast<QWidget*>(newId_),
                             static_cast<QWidget*>(read_), static_cast<QWidget*>(set_)})
        control->setEnabled(enabled);
}

void CDialogIDSet::OnRead()
{
    if (!services_.DeviceOpen()) return;
    SetControlsEnabled(false);
    services_.RequestIdRead();
    readTimer_.start();
}

void CDialogIDSet::OnReadTimer()
{
    // No answer from a sign is ever received, so every read ends here.
    services_.Messages().Message(MessageKind::Info, std::string(service::kReadFailedText));
    SetControlsEnabled(true);
}

void CDialogIDSet::OnSet()
{
    if (!services_.DeviceOpen()) return;
    const auto request = service::ReadIdChange(oldId_->currentText().toStdString(), newId_->currentText().toStdString());
    if (!request.valid) {
        services_.Messages().Message(MessageKind::Info, std::string(service::kToolIdRangeText));
        return;
    }
    SetControlsEnabled(false);
    if (!services_.ChangeId(request.oldId, request.newId)) {
        // The link has shown why; "Success!" would tell the opposite.
        SetControlsEnabled(true);
        return;
    }
    setTimer_.start();
}

void CDialogIDSet::OnSetTimer()
{
    services_.Messages().Message(MessageKind::Info, std::string(service::kSuccessText));
    SetControlsEnabled(true);
}

}  // namespace lumitag::ids
