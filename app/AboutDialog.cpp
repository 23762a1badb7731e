#include "app/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Art.h"
#include "app/ControlIds.h"

#ifndef LUMITAG_VERSION
#define LUMITAG_VERSION "0.0.0"
#endif

namespace lumitag::app {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Lumitag"));
    ApplyDialogBackground(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(ArtPixmap(QStringLiteral("lumitag"), QSize(48, 48)));
    auto* title = new QLabel(QStringLiteral("<b>Lumitag</b>"), this);
    auto* version = new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(LUMITAG_VERSION)), this);
    auto* date = new QLabel(QStringLiteral("Built %1").arg(QStringLiteral(__DATE__)), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    SetControlId(buttons->button(QDialogButtonBox::Ok), 1);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addWidget(date);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    ApplyDialogTexts(this, kDialog, false);
}

}  // namespace lumitag::app
