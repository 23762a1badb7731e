#include "app/CWaitDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ControlIds.h"

namespace lumitag::app {

CWaitDlg::CWaitDlg(QWidget* parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("請稍等……"));
    ApplyDialogBackground(this);
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(QStringLiteral("正在准备中……"), this);
    SetControlId(text_, 1130);
    bar_ = new QProgressBar(this);
    SetControlId(bar_, 1097);
    bar_->setTextVisible(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    SetControlId(ok, 1);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);  // kept for the packs, never shown
    SetControlId(cancel, 2);
    cancel->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    setMinimumWidth(text_->fontMetrics().averageCharWidth() * 40);
    connect(ok, &QPushButton::clicked, this, [this] {
        emit stopRequested();
        close();
    });
    ApplyDialogTexts(this, kDialog, false);
    if (parent) move(parent->geometry().center() - rect().center());
}

void CWaitDlg::SetRange(int count) { bar_->setRange(0, count); }
void CWaitDlg::SetPosition(int position) { bar_->setValue(position); }
void CWaitDlg::SetText(const QString& text) { text_->setText(text); }
QString CWaitDlg::Text() const { return text_->text(); }
int CWaitDlg::Position() const { return bar_->value(); }

}  // namespace lumitag::app
