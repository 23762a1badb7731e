#include "editors/CDialogFace.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/CEditWnd.h"
#include "editors/CFaceWnd.h"
#include "editors/DialogSupport.h"

namespace lumitag::editors {

CDialogFace::CDialogFace(CEditWnd* target, const QString& symbolFolder, QWidget* parent)
    : QDialog(parent), target_(target)
{
    PrepareDialog(this);
    faces_ = new CFaceWnd(this);
    Identify(faces_, 1103);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    Identify(ok, 1);
    ok->hide();
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Identify(cancel, 2);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(faces_, 1);
    layout->addLayout(buttons);

    faces_->LoadSymbols(symbolFolder);
    connect(faces_, &CFaceWnd::Picked, this, &CDialogFace::Pick);
    faces_->setFocus();
    Relabel(this, kTemplate, false);
}

void CDialogFace::Pick(int number)
{
    picked_ = number & 0xFFFF;
    if (!target_) return;
    target_->InsertChar(static_cast<std::uint32_t>(picked_));
    target_->setFocus();
}

void CDialogFace::mousePressEvent(QMouseEvent* event)
{
    dragFrom_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CDialogFace::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) move(event->globalPosition().toPoint() - dragFrom_);
}

}  // namespace lumitag::editors
